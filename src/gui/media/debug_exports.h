// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace krnz::gui {

class Session;

// The current event's dump, written into the program folder over the previous one.
inline constexpr const char* kEventDumpFileName = "debug_ascii_data.txt";

// The debug menu's two text dumps, for checking the readers outside the program.
class DebugExports {
  public:
    DebugExports(Session& session, QWidget& dialogParent);

    // `dbgmnu_print2ascii`: the current event's four slots, one line per sample.
    void print2ascii();
    // `dbgmnu_c2ascii`: slot 0 of a K100 file chosen in an open dialog, read straight from disk
    // with its decoding steps. The current event stays as it is.
    void c2ascii();

    std::filesystem::path eventDumpFile() const;
    std::filesystem::path channelDumpFile() const;

    // Tests replace the open dialog; it gets the folder to start in.
    using FileChooser = std::function<std::optional<QString>(const QString& startDir)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

  private:
    Session& m_session;
    FileChooser m_chooseFile;
};

}  // namespace krnz::gui
