// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/segment_clip.h"

#include <algorithm>
#include <cmath>

namespace krnz::report {

bool clipSegment(const PageRect& rect, double& x1, double& y1, double& x2, double& y2) {
    // A hand-edited vertex can map to infinity, which the parameters below would turn into
    // NaN; a point far off the page clips the same way.
    constexpr double kFar = 1e15;
    for (double* v : {&x1, &y1, &x2, &y2}) {
        if (std::isnan(*v)) return false;
        *v = std::clamp(*v, -kFar, kFar);
    }
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - rect.left, rect.right() - x1, y1 - rect.top, rect.bottom() - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    const double ox = x1;
    const double oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

}  // namespace krnz::report
