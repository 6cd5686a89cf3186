// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/page_target.h"

namespace krnz::report {

void PageTarget::drawPolyline(std::span<const PagePoint> points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        drawLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
}

}  // namespace krnz::report
