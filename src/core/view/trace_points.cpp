// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/trace_points.h"

#include <algorithm>
#include <cmath>

#include "core/common/value_format.h"

namespace krnz::view {
namespace {

struct Mapping {
    double k;
    std::int32_t centre;
};

Mapping mappingFor(std::int32_t widthPx, double fullScale) {
    const double half = widthPx / 2.0;
    return {half / fullScale, static_cast<std::int32_t>(roundHalfEven(half))};
}

}  // namespace

std::int32_t traceColumn(double value, double pixelsPerUnit, std::int32_t centre,
                         std::int32_t widthPx) {
    const double x = value * pixelsPerUnit + centre;
    if (std::isnan(x)) return centre;
    const double limit = 2.0 * widthPx + 1;
    return static_cast<std::int32_t>(roundHalfEven(std::clamp(x, -limit, limit)));
}

std::vector<PixelPoint> tracePolyline(const RowData& rows, int slot, std::int32_t widthPx,
                                      double fullScale) {
    std::vector<PixelPoint> points;
    if (rows.rowCount <= 0) return points;
    const Mapping m = mappingFor(widthPx, fullScale);
    points.reserve(2 * static_cast<std::size_t>(rows.rowCount) + 1);
    points.push_back({traceColumn(rows.min(slot, 0), m.k, m.centre, widthPx), 0});
    for (std::int32_t r = 0; r < rows.rowCount; ++r) {
        points.push_back({traceColumn(rows.min(slot, r), m.k, m.centre, widthPx), r});
        points.push_back({traceColumn(rows.max(slot, r), m.k, m.centre, widthPx), r});
    }
    return points;
}

std::vector<PixelPoint> tracePixels(const RowData& rows, int slot, std::int32_t widthPx,
                                    double fullScale) {
    std::vector<PixelPoint> points;
    if (rows.rowCount <= 0) return points;
    const Mapping m = mappingFor(widthPx, fullScale);
    points.reserve(2 * static_cast<std::size_t>(rows.rowCount));
    for (std::int32_t r = 0; r < rows.rowCount; ++r) {
        points.push_back({traceColumn(rows.min(slot, r), m.k, m.centre, widthPx), r});
        points.push_back({traceColumn(rows.max(slot, r), m.k, m.centre, widthPx), r});
    }
    return points;
}

}  // namespace krnz::view
