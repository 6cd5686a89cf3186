// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace krnz::test {

// Samples made to trip up a scan that is split into lanes, blocks or chunks: stretches of
// noise, of a few levels (equal values everywhere, equal magnitudes of both signs), runs of one
// value, zeros of both signs, and one-signed stretches longer than any chunk. Magnitudes stay
// below kAwkwardCeiling.
inline constexpr float kAwkwardCeiling = 1000.0f;

inline std::vector<float> awkwardSamples(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> level(-4, 4);
    std::uniform_real_distribution<float> noise(-kAwkwardCeiling + 1, kAwkwardCeiling - 1);
    std::vector<float> x;
    x.reserve(n);
    while (x.size() < n) {
        const std::size_t left = n - x.size();
        switch (kind(rng)) {
            case 0:
            case 1:
            case 2: {  // noise
                const std::size_t len = std::min<std::size_t>(left, 1 + rng() % 200);
                for (std::size_t i = 0; i < len; ++i) x.push_back(noise(rng));
                break;
            }
            case 3:
            case 4: {  // few levels: ties at every height
                const std::size_t len = std::min<std::size_t>(left, 1 + rng() % 100);
                for (std::size_t i = 0; i < len; ++i) x.push_back(100.0f * level(rng));
                break;
            }
            case 5:
            case 6: {  // a run of one value
                const std::size_t len = std::min<std::size_t>(left, 1 + rng() % 40);
                x.insert(x.end(), len, 100.0f * level(rng));
                break;
            }
            case 7: {  // zeros of both signs
                const std::size_t len = std::min<std::size_t>(left, 1 + rng() % 12);
                for (std::size_t i = 0; i < len; ++i) x.push_back(rng() % 2 ? 0.0f : -0.0f);
                break;
            }
            case 8: {  // one sign for longer than a chunk, now and then
                const std::size_t len = std::min<std::size_t>(left, 1 + rng() % 6000);
                const float s = rng() % 2 ? 1.0f : -1.0f;
                for (std::size_t i = 0; i < len; ++i)
                    x.push_back(s * (1.0f + static_cast<float>(rng() % 900)));
                break;
            }
            default:  // a single sample of either sign
                x.push_back(noise(rng));
                break;
        }
    }
    return x;
}

// Puts +peak and -peak at `count` random places each, so that the largest values and
// magnitudes occur several times and with both signs.
inline void plantPeaks(std::vector<float>& x, float peak, int count, std::uint32_t seed) {
    if (x.empty()) return;
    std::mt19937 rng(seed);
    for (int k = 0; k < count; ++k) {
        x[rng() % x.size()] = peak;
        x[rng() % x.size()] = -peak;
    }
}

// Floats equal in every bit: tells -0 from +0, which == does not.
inline bool sameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

inline bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace krnz::test
