// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

namespace krnz::spectrum {

// Maps a graph's data rectangle onto its plot of width x height pixels: left to column 0, bottom
// to the lowest row (height - 1). Positions are rounded half to even and may lie outside the
// plot; the caller clips. right must differ from left and top from bottom.
struct GraphMapping {
    double left = 0.0;
    double top = 1.0;
    double right = 1.0;
    double bottom = 0.0;
    int width = 10;
    int height = 10;

    double px(double x) const;
    double py(double y) const;
};

// The positions along an axis from bottom/left (lo) to top/right (hi) at which tick values
// stand: each value itself, or its base-10 logarithm on a logarithmic axis, kept when it lies in
// [lo, hi]. Values <= 0 have no place on a logarithmic axis and are skipped.
struct Tick {
    double value;     // as handed in: the decade itself on a logarithmic axis
    double position;  // in axis units
};
std::vector<Tick> visibleTicks(std::span<const double> values, bool isLog, double lo, double hi);

}  // namespace krnz::spectrum
