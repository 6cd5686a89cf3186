// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/event/event.h"
#include "core/settings/options.h"

// Sound output: a channel scaled to 16-bit PCM and stored as a mono WAV file that the platform
// plays at the recording's own sampling frequency.
namespace krnz::analysis {

// The loudest sample maps to +-kPlayPeak (one short of full scale, so that a negative peak
// never has a louder positive counterpart).
inline constexpr double kPlayPeak = 32766.0;

// Header bytes before the samples.
inline constexpr std::size_t kWavHeaderBytes = 44;

// What the user reads when the chosen channel holds nothing but zeros: there is no peak to
// scale to.
inline constexpr const char* kSilentChannelMessage =
    "The channel cannot be played: all its samples are 0.";

// The play buffer: each sample times 32766 / P, P the largest magnitude among the samples,
// rounded half to even into 16 bits. Throws krnz::Error (kErrProgram, kSilentChannelMessage) when
// every sample is 0 or there are none, and the overflow error when a sample is not finite.
std::vector<std::int16_t> playBuffer(std::span<const float> samples);

// The whole file: the 44-byte header of a 16-bit mono PCM file at sampleRateHz, then the samples,
// little-endian. Throws the overflow error when the sizes do not fit the header's 32-bit fields
// and kErrInvalidProcedureCall for a rate below 1 Hz.
std::string wavBytes(std::span<const std::int16_t> samples, std::int32_t sampleRateHz);

// The file the Play command writes for a slot (0..3): its play buffer at CLng(frq). Throws as
// playBuffer and wavBytes do; kErrSubscript for a slot outside 0..3.
std::string slotWavBytes(const SampleRecord& rec, int slot);

// `writeWav`: replaces fileName with the WAV file of the samples. The old file is never
// shortened in place: the new one is written beside it and renamed over it, so a failure leaves
// it whole. True when written; a failure is not shown to the user (nothing is played then) and is
// logged to stderr in debug builds.
bool writeWav(std::span<const std::int16_t> samples, std::int32_t sampleRateHz,
              const std::filesystem::path& fileName) noexcept;

// Which channels the play command offers (`playChannel` and its dialog `select_play_channel`).
struct PlayChannelChoice {
    std::array<bool, kSlots> offered{};  // the option buttons shown: slots whose box is checked
    int chosen = -1;                     // preselected slot, the first offered; -1: nothing plays
    bool askUser = false;                // more than one offered: the dialog asks
};

// From the four "channelOn" boxes: checked (true) slots are offered; a greyed box is not checked.
PlayChannelChoice playChannelChoice(const std::array<bool, kSlots>& channelOn);
PlayChannelChoice playChannelChoice(const settings::Options& options);

}  // namespace krnz::analysis
