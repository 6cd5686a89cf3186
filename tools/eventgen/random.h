// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>

namespace krnz::eventgen {

// Deterministic random numbers. std::mt19937's output sequence is fixed by the standard, but the
// std distributions are not, so every distribution here is built from the raw 32-bit outputs:
// the same seed gives the same event with every standard library.
class Random {
  public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}

    std::uint32_t next() { return static_cast<std::uint32_t>(m_engine()); }

    // [0, 1) in steps of 2^-32.
    double uniform() { return next() * 0x1p-32; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Equal chances for every decade between lo and hi (both > 0).
    double logUniform(double lo, double hi);
    // lo..hi inclusive.
    int integer(int lo, int hi);
    // [-1, 1], triangular: the sum of the two 16-bit halves of one output, so noise costs one
    // draw per sample.
    double triangular() {
        const std::uint32_t u = next();
        return static_cast<double>((u & 0xFFFFu) + (u >> 16)) / 65535.0 - 1.0;
    }

  private:
    std::mt19937 m_engine;
};

}  // namespace krnz::eventgen
