// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>

namespace krnz::gui {

// Plays a WAV file in the background, so the window stays usable while it sounds.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    // Starts playing `wavFile`, stopping whatever played before.
    virtual void play(const std::filesystem::path& wavFile) = 0;
    // Stops and lets go of the file, so that it can be replaced.
    virtual void stop() = 0;
    // Whether the machine has an audio output to play on.
    virtual bool hasOutput() const { return true; }
};

// The platform's audio output (Qt Multimedia). Made on first use: a machine without audio
// only notices when something is played.
std::unique_ptr<SoundPlayer> makeSystemSoundPlayer();

}  // namespace krnz::gui
