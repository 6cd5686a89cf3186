// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

#include "core/analysis/active_channels.h"
#include "core/common/error.h"
#include "core/common/value_format.h"
#include "core/settings/atomic_file.h"

#ifndef NDEBUG
#include <iostream>
#endif

namespace krnz::analysis {
namespace {

void putTag(std::string& out, const char (&tag)[5]) {
    out.append(tag, 4);
}

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int b = 0; b < bytes; ++b) out += static_cast<char>((value >> (8 * b)) & 0xFF);
}

}  // namespace

std::vector<std::int16_t> playBuffer(std::span<const float> samples) {
    // The largest magnitude equals absMax(chMax, chMin) of a current peak scan; taking it from
    // the samples themselves keeps the scaling right even where no scan has run.
    double peak = 0.0;
    for (const float x : samples) peak = std::max(peak, std::fabs(static_cast<double>(x)));
    if (peak == 0.0) throw Error(kErrProgram, kSilentChannelMessage);
    const double k = kPlayPeak / peak;
    std::vector<std::int16_t> buffer(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        buffer[i] = cInt(static_cast<double>(samples[i]) * k);
    return buffer;
}

std::string wavBytes(std::span<const std::int16_t> samples, std::int32_t sampleRateHz) {
    if (sampleRateHz < 1)
        throw Error(kErrInvalidProcedureCall, "Invalid procedure call or argument");
    constexpr std::uint64_t kLongMax = std::numeric_limits<std::int32_t>::max();
    const std::uint64_t dataSize = 2 * static_cast<std::uint64_t>(samples.size());
    if (36 + dataSize > kLongMax || 2 * static_cast<std::uint64_t>(sampleRateHz) > kLongMax)
        throwOverflow();

    std::string out;
    out.reserve(kWavHeaderBytes + dataSize);
    putTag(out, "RIFF");
    putLe(out, static_cast<std::uint32_t>(36 + dataSize), 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLe(out, 16, 4);  // size of the format chunk
    putLe(out, 1, 2);   // PCM
    putLe(out, 1, 2);   // mono
    putLe(out, static_cast<std::uint32_t>(sampleRateHz), 4);
    putLe(out, static_cast<std::uint32_t>(sampleRateHz) * 2, 4);  // bytes per second
    putLe(out, 2, 2);                                             // block align
    putLe(out, 16, 2);                                            // bits per sample
    putTag(out, "data");
    putLe(out, static_cast<std::uint32_t>(dataSize), 4);
    for (const std::int16_t s : samples) putLe(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

std::string slotWavBytes(const SampleRecord& rec, int slot) {
    if (slot < 0 || slot >= kSlots) throwSubscript();
    return wavBytes(playBuffer(rec.sampleData.row(slot)), cLng(rec.frq));
}

bool writeWav(std::span<const std::int16_t> samples, std::int32_t sampleRateHz,
              const std::filesystem::path& fileName) noexcept {
    try {
        settings::writeFileAtomically(fileName, wavBytes(samples, sampleRateHz));
        return true;
    } catch (const std::exception& e) {
#ifndef NDEBUG
        std::cerr << "writeWav: " << e.what() << "\n";
#else
        (void)e;
#endif
        return false;
    }
}

PlayChannelChoice playChannelChoice(const std::array<bool, kSlots>& channelOn) {
    PlayChannelChoice choice;
    int count = 0;
    for (int c = 0; c < kSlots; ++c) {
        if (!channelOn[static_cast<std::size_t>(c)]) continue;
        choice.offered[static_cast<std::size_t>(c)] = true;
        if (count++ == 0) choice.chosen = c;
    }
    choice.askUser = count > 1;
    return choice;
}

PlayChannelChoice playChannelChoice(const settings::Options& options) {
    std::array<bool, kSlots> on{};
    for (int c = 0; c < kSlots; ++c) on[static_cast<std::size_t>(c)] = view::isActive(options, c);
    return playChannelChoice(on);
}

}  // namespace krnz::analysis
