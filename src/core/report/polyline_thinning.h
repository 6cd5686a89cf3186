// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>
#include <vector>

#include "core/report/page_target.h"

namespace krnz::report {

// A polyline thinned to what a device with pixels `pixelWidth` wide can show: of each run of
// consecutive points in one pixel column only the first, the highest, the lowest and the last
// are kept, in their order. The lines between them cover the same pixels as the full polyline
// (each column spans the same heights, and the joins between columns are kept), so a trace of
// millions of samples prints alike from a path a fraction of the size.
std::vector<PagePoint> pixelColumnExtremes(std::span<const PagePoint> points, double pixelWidth);

// Appends what pixelColumnExtremes keeps of the points pointAt(from) .. pointAt(end - 1), which
// make one pixel column: the first, the lowest, the highest and the last, in their order, each
// once.
template <typename PointAt>
void appendColumnExtremes(std::vector<PagePoint>& out, std::size_t from, std::size_t end,
                          const PointAt& pointAt) {
    const PagePoint first = pointAt(from);
    std::size_t lo = from, hi = from;
    PagePoint lowest = first, highest = first, last = first;
    for (std::size_t j = from + 1; j < end; ++j) {
        const PagePoint p = pointAt(j);
        if (p.y < lowest.y) lo = j, lowest = p;
        if (p.y > highest.y) hi = j, highest = p;
        last = p;
    }
    const std::size_t keep[4] = {from, std::min(lo, hi), std::max(lo, hi), end - 1};
    for (std::size_t k = 0; k < 4; ++k) {
        if (k > 0 && keep[k] == keep[k - 1]) continue;
        const std::size_t at = keep[k];
        out.push_back(at == from ? first : at == lo ? lowest : at == hi ? highest : last);
    }
}

// The same for the polyline pointAt(0) .. pointAt(count - 1), each point made as it is needed,
// so a long trace is never held whole.
template <typename PointAt>
std::vector<PagePoint> pixelColumnExtremesOf(std::size_t count, const PointAt& pointAt,
                                             double pixelWidth) {
    std::vector<PagePoint> out;
    if (!(pixelWidth > 0.0) || count <= 4) {
        for (std::size_t i = 0; i < count; ++i) out.push_back(pointAt(i));
        return out;
    }
    for (std::size_t i = 0; i < count;) {
        const double column = std::floor(pointAt(i).x / pixelWidth);
        std::size_t end = i + 1;
        while (end < count && std::floor(pointAt(end).x / pixelWidth) == column) ++end;
        appendColumnExtremes(out, i, end, pointAt);
        i = end;
    }
    return out;
}

}  // namespace krnz::report
