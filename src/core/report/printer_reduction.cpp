// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/printer_reduction.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace krnz::report {

double reductionFactor(int printerDataReduction) {
    switch (printerDataReduction) {
        case 0:
            return 0.0;
        case 1:
            return 0.01;
        case 2:
            return 0.02;
        default:
            return 0.05;
    }
}

std::vector<std::int32_t> reducedTraceIndices(std::span<const float> samples, double tolerance) {
    const auto n = static_cast<std::int32_t>(samples.size());
    std::vector<std::int32_t> chosen;
    if (n == 0) return chosen;
    if (!(tolerance > 0.0)) {
        chosen.resize(static_cast<std::size_t>(n));
        std::iota(chosen.begin(), chosen.end(), 0);
        return chosen;
    }
    // Instead of testing every sample under every candidate chord, keep the range of slopes
    // (per sample from the start) that pass all samples seen so far: sample k at distance
    // d = k - s allows the slopes m with |x_k - x_s - m d| < tolerance. A candidate end e
    // qualifies when its own slope lies strictly inside the range of the samples before it.
    chosen.reserve(static_cast<std::size_t>(n / 4 + 2));
    std::int32_t s = 0;
    chosen.push_back(0);
    while (s < n - 1) {
        const double xs = samples[static_cast<std::size_t>(s)];
        double lo = -std::numeric_limits<double>::infinity();
        double hi = std::numeric_limits<double>::infinity();
        std::int32_t end = s + 1;  // a chord to the next sample covers nothing between
        const std::int32_t last = std::min(n - 1, s + kMaxChordSamples - 1);
        for (std::int32_t e = s + 1; e <= last; ++e) {
            const double d = e - s;
            const double rise = samples[static_cast<std::size_t>(e)] - xs;
            const double slope = rise / d;
            if (e > s + 1 && !(slope > lo && slope < hi)) break;
            end = e;
            // Sample e lies between start and any later end.
            lo = std::max(lo, (rise - tolerance) / d);
            hi = std::min(hi, (rise + tolerance) / d);
        }
        chosen.push_back(end);
        s = end;
    }
    return chosen;
}

}  // namespace krnz::report
