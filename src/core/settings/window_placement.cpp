// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/window_placement.h"

#include <algorithm>

namespace krnz::settings {

WindowGeometry placeWindow(const WindowGeometry& stored, const WindowGeometry& workArea) {
    WindowGeometry placed = stored;
    if (workArea.width < stored.width) {
        placed.width = workArea.width;
        placed.left = 0;
    }
    if (workArea.height < stored.height) {
        placed.height = workArea.height;
        placed.top = 0;
    }
    return placed;
}

namespace {

// One axis: the span kept within [areaStart, areaStart + areaLength).
void fitSpan(int& start, int& length, int areaStart, int areaLength) {
    length = std::min(length, std::max(areaLength, 0));
    start = std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

PixelRect fitFrame(const PixelRect& frame, const PixelRect& area) {
    PixelRect fitted = frame;
    fitSpan(fitted.left, fitted.width, area.left, area.width);
    fitSpan(fitted.top, fitted.height, area.top, area.height);
    return fitted;
}

}  // namespace krnz::settings
