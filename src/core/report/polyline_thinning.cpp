// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/polyline_thinning.h"

namespace krnz::report {

std::vector<PagePoint> pixelColumnExtremes(std::span<const PagePoint> points, double pixelWidth) {
    return pixelColumnExtremesOf(
        points.size(), [&](std::size_t i) { return points[i]; }, pixelWidth);
}

}  // namespace krnz::report
