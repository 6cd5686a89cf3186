// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/peak_interpolation.h"

#include <cassert>
#include <cmath>
#include <vector>

namespace krnz::analysis {
namespace {

struct Weights {
    double c0, c1, c2, c3, c4;
};

Weights weightsAt(double t) {
    const double t2 = t * t;
    return {(t2 - 1.0) * t * (t - 2.0) / 24.0, (t2 - 4.0) * (t - 1.0) * t / 6.0,
            (t2 - 1.0) * (t2 - 4.0) / 4.0, (t2 - 4.0) * (t + 1.0) * t / 6.0,
            (t2 - 1.0) * t * (t + 2.0) / 24.0};
}

double evaluate(std::span<const float> x, std::size_t k, const Weights& w) {
    return w.c0 * x[k - 2] - w.c1 * x[k - 1] + w.c2 * x[k] - w.c3 * x[k + 1] + w.c4 * x[k + 2];
}

}  // namespace

double lagrange5(std::span<const float> x, std::int32_t k, double t) {
    assert(k >= 2 && static_cast<std::size_t>(k) + 2 < x.size());
    return evaluate(x, static_cast<std::size_t>(k), weightsAt(t));
}

InterpolatedPeak interpolatePeak(std::span<const float> x) {
    InterpolatedPeak best;
    const std::size_t n = x.size();
    if (n < 5) return best;
    // The fractions as a running sum of 0.2 up to 0.8, as the scan has always stepped them (the
    // fourth is 0.6000000000000001); the weights are the same for every k.
    std::vector<Weights> weights;
    for (double t = 0.0; t <= 0.8; t += 0.2) weights.push_back(weightsAt(t));
    for (std::size_t k = 2; k + 3 <= n; ++k) {
        for (const Weights& w : weights) {
            const double v = std::fabs(evaluate(x, k, w));
            if (v > best.value) best = {v, static_cast<std::int32_t>(k)};
        }
    }
    return best;
}

}  // namespace krnz::analysis
