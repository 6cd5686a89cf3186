// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// The same for the polyline pointAt(0) .. pointAt(count - 1), each point made once as it is
// needed, so a long trace is never held whole.
template <typename PointAt>
std::vector<PagePoint> pixelColumnExtremesOf(std::size_t count, const PointAt& pointAt,
                                             double pixelWidth) {
    std::vector<PagePoint> out;
    if (!(pixelWidth > 0.0) || count <= 4) {
        for (std::size_t i = 0; i < count; ++i) out.push_back(pointAt(i));
        return out;
    }
    std::size_t i = 0;
    PagePoint next = pointAt(0);
    while (i < count) {
        const PagePoint first = next;
        const double column = std::floor(first.x / pixelWidth);
        std::size_t end = i + 1, lo = i, hi = i;
        PagePoint lowest = first, highest = first, last = first;
        while (end < count) {
            next = pointAt(end);
            if (std::floor(next.x / pixelWidth) != column) break;
            if (next.y < lowest.y) lo = end, lowest = next;
            if (next.y > highest.y) hi = end, highest = next;
            last = next;
            ++end;
        }
        // In order of appearance (first <= lowest/highest <= last), each point once.
        const std::size_t keep[4] = {i, std::min(lo, hi), std::max(lo, hi), end - 1};
        for (std::size_t k = 0; k < 4; ++k) {
            if (k > 0 && keep[k] == keep[k - 1]) continue;
            const std::size_t at = keep[k];
            out.push_back(at == i ? first : at == lo ? lowest : at == hi ? highest : last);
        }
        i = end;
    }
    return out;
}

}  // namespace krnz::report
