// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "core/view/row_reduction.h"

namespace krnz::view {

struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Pixel column of a value in a strip: round(value * pixelsPerUnit + centre). Values far outside
// the strip are held a strip width beyond its edges, where they are clipped like any other.
std::int32_t traceColumn(double value, double pixelsPerUnit, std::int32_t centre,
                         std::int32_t widthPx);

// `drawTraces` of one slot in a strip `widthPx` wide with full scale F: the `lines` polyline
// starts at row 0 on the first row's minimum, then for every row r visits (min, r) and
// (max, r), joining the previous row's maximum to this row's minimum; 2 * rowCount + 1 points.
std::vector<PixelPoint> tracePolyline(const RowData& rows, int slot, std::int32_t widthPx,
                                      double fullScale);

// The `pixels` style: the two points (min, r) and (max, r) of every row, 2 * rowCount points.
std::vector<PixelPoint> tracePixels(const RowData& rows, int slot, std::int32_t widthPx,
                                    double fullScale);

}  // namespace krnz::view
