// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "core/analysis/wav_writer.h"

class QWidget;

namespace krnz::gui {

inline constexpr const char* kNoSoundOutputMessage =
    "No sound output device is available, so the channel cannot be played.";

class Session;
class SoundPlayer;

// The Play command (`playChannel`): one channel of the current event as a WAV file in the
// temporary folder, played at the recording's own rate while the window stays usable.
class SoundOutput {
  public:
    SoundOutput(Session& session, QWidget& dialogParent);
    ~SoundOutput();

    // Picks the channel (asking when more than one is shown), writes the file and plays it.
    // A channel without a peak to scale to gets a message; a failed write plays nothing and
    // says nothing.
    void playChannel();

    const std::filesystem::path& soundFile() const { return m_soundFile; }

    // Tests replace the dialog, the audio output and the file's place.
    using ChannelChooser = std::function<std::optional<int>(const analysis::PlayChannelChoice&)>;
    void setChannelChooser(ChannelChooser chooser) { m_chooseChannel = std::move(chooser); }
    void setPlayer(std::unique_ptr<SoundPlayer> player);
    void setSoundFile(std::filesystem::path file) { m_soundFile = std::move(file); }

  private:
    SoundPlayer& player();

    Session& m_session;
    ChannelChooser m_chooseChannel;
    std::unique_ptr<SoundPlayer> m_player;
    std::filesystem::path m_soundFile;
};

}  // namespace krnz::gui
