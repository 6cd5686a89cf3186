// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/polyline_thinning.h"

#include <algorithm>
#include <cmath>

namespace krnz::report {

std::vector<PagePoint> pixelColumnExtremes(std::span<const PagePoint> points, double pixelWidth) {
    std::vector<PagePoint> out;
    if (!(pixelWidth > 0.0) || points.size() <= 4) {
        out.assign(points.begin(), points.end());
        return out;
    }
    out.reserve(points.size() / 8 + 8);
    std::size_t i = 0;
    while (i < points.size()) {
        const double column = std::floor(points[i].x / pixelWidth);
        std::size_t end = i + 1;
        std::size_t lo = i;
        std::size_t hi = i;
        while (end < points.size() && std::floor(points[end].x / pixelWidth) == column) {
            if (points[end].y < points[lo].y) lo = end;
            if (points[end].y > points[hi].y) hi = end;
            ++end;
        }
        // In order of appearance (first <= lowest/highest <= last), each point once.
        const std::size_t keep[4] = {i, std::min(lo, hi), std::max(lo, hi), end - 1};
        for (std::size_t k = 0; k < 4; ++k)
            if (k == 0 || keep[k] != keep[k - 1]) out.push_back(points[keep[k]]);
        i = end;
    }
    return out;
}

}  // namespace krnz::report
