// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/zoom_scroll.h"

#include <algorithm>

#include "core/common/value_format.h"

namespace krnz::view {

void selectZoom(ZoomState& state, int zoom) {
    state.previousZoom = state.zoom;
    state.zoom = zoom;
    if (zoom > 1)
        state.scroll.largeChange =
            static_cast<int>(roundHalfEven((state.scroll.max + 1.0) / (zoom - 1)));
    state.scroll.value = 0;
}

void pageUp(ScrollState& scroll) {
    scroll.value =
        scroll.value >= scroll.largeChange ? scroll.value - scroll.largeChange : scroll.min;
}

void pageDown(ScrollState& scroll) {
    scroll.value = scroll.value + scroll.largeChange <= scroll.max
                       ? scroll.value + scroll.largeChange
                       : scroll.max;
}

int wheelScrollValue(const ScrollState& scroll, int notches) {
    const long long value = scroll.value - 3LL * notches * scroll.smallChange;
    return static_cast<int>(std::clamp<long long>(value, scroll.min, scroll.max));
}

int steppedZoom(int zoom, int notches) {
    const auto it = std::find(kZoomFactors.begin(), kZoomFactors.end(), zoom);
    const long long at = it == kZoomFactors.end() ? 0 : it - kZoomFactors.begin();
    const long long last = static_cast<long long>(kZoomFactors.size()) - 1;
    return kZoomFactors[static_cast<std::size_t>(std::clamp(at + notches, 0LL, last))];
}

double scrolledTop(const ScrollState& scroll, double stripHeight, double visibleHeight) {
    // Dividing by max, not max + 1, lets the last value show the strip's last rows, and makes
    // a large step of (max + 1) / (zoom - 1) scroll by one window height.
    if (scroll.max <= 0) return 0;
    return -static_cast<double>(scroll.value) / scroll.max * (stripHeight - visibleHeight);
}

}  // namespace krnz::view
