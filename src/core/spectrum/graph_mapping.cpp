// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/graph_mapping.h"

#include "core/common/value_format.h"

namespace krnz::spectrum {

double GraphMapping::px(double x) const {
    return roundHalfEven((x - left) * width / (right - left));
}

double GraphMapping::py(double y) const {
    return roundHalfEven((height - 1) - (y - bottom) * height / (top - bottom));
}

std::vector<Tick> visibleTicks(std::span<const double> values, bool isLog, double lo, double hi) {
    std::vector<Tick> ticks;
    for (const double v : values) {
        if (isLog && !(v > 0.0)) continue;
        const double position = isLog ? log10(v) : v;
        if (position >= lo && position <= hi) ticks.push_back({v, position});
    }
    return ticks;
}

}  // namespace krnz::spectrum
