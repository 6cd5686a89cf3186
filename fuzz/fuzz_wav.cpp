// SPDX-License-Identifier: GPL-3.0-or-later
// Any row and any sampling frequency as the Play command writes them. Refused with krnz::Error
// (a silent or non-finite row, a rate the header cannot hold) or a well-formed 16-bit mono PCM
// file: its RIFF and data lengths match its bytes, its rate fields agree, and its samples are
// the row scaled so that the largest magnitude is 32766, each keeping its sign. The file on
// disk holds the same bytes.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/analysis/wav_writer.h"
#include "core/common/error.h"
#include "core/common/value_format.h"
#include "fuzz_input.h"

namespace {

std::uint32_t le(const std::string& bytes, std::size_t at, int width) {
    std::uint32_t v = 0;
    for (int b = width - 1; b >= 0; --b) v = (v << 8) | static_cast<std::uint8_t>(bytes[at + b]);
    return v;
}

void checkFile(const std::string& wav, const std::vector<std::int16_t>& samples,
               std::int32_t rate) {
    FUZZ_CHECK(wav.size() == krnz::analysis::kWavHeaderBytes + 2 * samples.size());
    FUZZ_CHECK(wav.compare(0, 4, "RIFF") == 0 && le(wav, 4, 4) == wav.size() - 8);
    FUZZ_CHECK(wav.compare(8, 8, "WAVEfmt ") == 0 && le(wav, 16, 4) == 16);
    FUZZ_CHECK(le(wav, 20, 2) == 1 && le(wav, 22, 2) == 1);  // PCM, mono
    FUZZ_CHECK(le(wav, 24, 4) == static_cast<std::uint32_t>(rate));
    FUZZ_CHECK(le(wav, 28, 4) == 2 * static_cast<std::uint32_t>(rate));
    FUZZ_CHECK(le(wav, 32, 2) == 2 && le(wav, 34, 2) == 16);
    FUZZ_CHECK(wav.compare(36, 4, "data") == 0 && le(wav, 40, 4) == wav.size() - 44);
    for (std::size_t i = 0; i < samples.size(); ++i)
        FUZZ_CHECK(static_cast<std::int16_t>(le(wav, 44 + 2 * i, 2)) == samples[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = fuzz::scratchDir("fuzz_wav") / "play.wav";
    fuzz::Input in(data, size);
    const std::uint8_t rateChoice = in.u8();
    // Mostly the instruments' rates; now and then any 32-bit value, to reach the header's limits.
    const std::uint32_t anyRate = in.u32();
    const double frq =
        rateChoice < 0x80 ? fuzz::sampleRate(rateChoice) : static_cast<std::int32_t>(anyRate);
    const std::vector<float> row = fuzz::decodeValues(in, 16384);

    std::vector<std::int16_t> samples;
    try {
        samples = krnz::analysis::playBuffer(row);
    } catch (const krnz::Error&) {
        bool silent = true, finite = true;
        for (const float v : row) silent &= v == 0.0f, finite &= std::isfinite(v);
        FUZZ_CHECK(silent || !finite);
        return 0;
    }
    FUZZ_CHECK(samples.size() == row.size());
    double peak = 0.0;
    for (const float v : row) peak = std::max(peak, std::fabs(static_cast<double>(v)));
    bool reachesPeak = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const int s = samples[i];
        FUZZ_CHECK(s >= -32766 && s <= 32766);
        FUZZ_CHECK(!(row[i] > 0.0f && s < 0) && !(row[i] < 0.0f && s > 0));
        if (std::fabs(static_cast<double>(row[i])) == peak)
            FUZZ_CHECK(s == (row[i] > 0.0f ? 32766 : -32766)), reachesPeak = true;
    }
    FUZZ_CHECK(reachesPeak);

    std::int32_t rate = 0;
    try {
        rate = krnz::cLng(frq);
    } catch (const krnz::Error&) {
        return 0;
    }
    std::string wav;
    try {
        wav = krnz::analysis::wavBytes(samples, rate);
    } catch (const krnz::Error&) {
        FUZZ_CHECK(rate < 1 || rate > 0x3FFFFFFF);
        return 0;
    }
    FUZZ_CHECK(rate >= 1 && rate <= 0x3FFFFFFF);
    checkFile(wav, samples, rate);
    FUZZ_CHECK(krnz::analysis::writeWav(samples, rate, file));
    std::ifstream back(file, std::ios::binary);
    FUZZ_CHECK(
        std::string(std::istreambuf_iterator<char>(back), std::istreambuf_iterator<char>()) == wav);
    return 0;
}
