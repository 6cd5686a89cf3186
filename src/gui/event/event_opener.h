// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>

namespace krnz::gui {

class Session;

// What opening an event asks of the window that shows it.
class OpenHooks {
  public:
    virtual ~OpenHooks() = default;
    // The channel-group chooser of an eight-channel event: 1 or 2, nullopt when closed without
    // a choice (the group then stays as it was).
    virtual std::optional<int> chooseChannelGroup() = 0;
    virtual void showLoadingScreen() = 0;
    virtual void hideLoadingScreen() = 0;
    // The event is current: enable what depends on it and lay out and draw the window.
    virtual void eventOpened() = 0;
};

// `loadEvent`: stores the user information of the event being left, remembers the folder,
// reads the file into a fresh record and makes it current only when the read succeeds, then
// offers to carry the previous event's user information over. A rejected or corrupt file
// leaves the previous event, its file name and its user information exactly as they were.
// Returns true when the event was opened. `group` chooses the channel group of an
// eight-channel event without asking (a row of the events list names it).
bool loadEvent(Session& session, const std::filesystem::path& path, OpenHooks& hooks,
               std::optional<int> group = std::nullopt);

// The folder of an event file as "workDir" keeps it: with its trailing separator.
std::string workDirOf(const std::filesystem::path& path);

}  // namespace krnz::gui
