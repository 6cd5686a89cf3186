// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace krnz::analysis {

// The Lagrange polynomial through samples k-2 .. k+2 evaluated at k + t. Needs 2 <= k <= n-3.
double lagrange5(std::span<const float> x, std::int32_t k, double t);

struct InterpolatedPeak {
    double value = 0.0;      // largest interpolated magnitude, 0 when the row is too short
    std::int32_t index = 0;  // the sample k whose interval [k, k + 1) holds it
};

// Largest |lagrange5(k, t)| for k = 2 .. n-3 and t = 0, 0.2, .. 0.8; the first two and last two
// samples are never centres. Ties keep the earliest.
InterpolatedPeak interpolatePeak(std::span<const float> x);

}  // namespace krnz::analysis
