// SPDX-License-Identifier: GPL-3.0-or-later
// How the fuzz targets take numbers and sample rows off their input, without the settings
// fuzz_input.h makes for a fuzzing process, so that a benchmark can decode kept inputs too.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

#include "core/event/event.h"

namespace fuzz {

// Reads the input front to back; past its end every number reads as 0.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    std::size_t left() const { return m_size - m_pos; }

    std::uint8_t u8() { return empty() ? 0 : m_data[m_pos++]; }
    std::uint16_t u16() { return static_cast<std::uint16_t>(u8() | (u8() << 8)); }
    std::uint32_t u32() { return u16() | (static_cast<std::uint32_t>(u16()) << 16); }

    // The next `count` bytes (fewer at the end) as text.
    std::string_view bytes(std::size_t count) {
        count = std::min(count, left());
        const std::string_view s(reinterpret_cast<const char*>(m_data + m_pos), count);
        m_pos += count;
        return s;
    }
    std::string_view rest() { return bytes(left()); }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Values the scans find hardest: signed zeros, NaN, infinities, the float range's ends.
inline float specialValue(unsigned k) {
    constexpr float kValues[] = {0.0f,
                                 -0.0f,
                                 std::numeric_limits<float>::quiet_NaN(),
                                 std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::denorm_min(),
                                 -std::numeric_limits<float>::denorm_min(),
                                 std::numeric_limits<float>::min(),
                                 std::numeric_limits<float>::max(),
                                 -std::numeric_limits<float>::max(),
                                 1e-30f,
                                 -1e30f};
    return kValues[k % std::size(kValues)];
}

// Sample values coded a byte at a time, so that short inputs reach the cases that matter:
//   0x00..0x3F  the whole number b - 0x20 (zeros and small values, both signs)
//   0x40..0x7F  the float whose bits are the next four bytes (any value at all)
//   0x80..0xBF  the previous value again, b - 0x7F more times (long runs of equal values)
//   0xC0..0xFF  a special value (see specialValue)
// Stops at the end of the input or after `limit` values.
inline std::vector<float> decodeValues(Input& in, std::size_t limit) {
    std::vector<float> v;
    while (!in.empty() && v.size() < limit) {
        const std::uint8_t b = in.u8();
        if (b < 0x40) {
            v.push_back(static_cast<float>(b) - 32.0f);
        } else if (b < 0x80) {
            v.push_back(std::bit_cast<float>(in.u32()));
        } else if (b < 0xC0) {
            const float last = v.empty() ? 0.0f : v.back();
            const std::size_t run = std::min<std::size_t>(b - 0x7Fu, limit - v.size());
            v.insert(v.end(), run, last);
        } else {
            v.push_back(specialValue(b - 0xC0u));
        }
    }
    return v;
}

// The four rows of a record from the values: each row a quarter of them, in slot order.
inline krnz::SampleMatrix rowsOf(const std::vector<float>& values) {
    const auto n = static_cast<std::int32_t>(values.size() / krnz::kSlots);
    krnz::SampleMatrix m(n);
    for (int c = 0; c < krnz::kSlots; ++c)
        for (std::int32_t i = 0; i < n; ++i)
            m(c, i) = values[static_cast<std::size_t>(c) * static_cast<std::size_t>(n) +
                             static_cast<std::size_t>(i)];
    return m;
}

inline bool allFinite(std::span<const float> row) {
    return std::all_of(row.begin(), row.end(), [](float v) { return std::isfinite(v); });
}

// Sampling frequencies the instruments use and a few odd ones (Hz).
inline double sampleRate(std::uint8_t k) {
    constexpr double kRates[] = {1000, 2000, 500, 1024, 5000, 2500, 1250, 1, 3, 44100, 0.5, 100};
    return kRates[k % std::size(kRates)];
}

// An event of four rows decoded from the input (at most 2048 samples each) at `frq` Hz; the
// channels are left for the target to fill.
inline krnz::Event eventOfRows(Input& in, double frq) {
    krnz::Event event;
    krnz::SampleRecord& rec = event.sample;
    rec.sampleData = rowsOf(decodeValues(in, 4 * 2048));
    rec.nSamplesPerChannel = rec.sampleData.samplesPerRow();
    rec.frq = frq;
    rec.sampleInterval = 1.0 / frq;
    rec.nSecPerChannel = static_cast<float>(rec.nSamplesPerChannel / frq);
    return event;
}

}  // namespace fuzz
