// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/zoom_scroll.h"

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

double scrolledTop(const ScrollState& scroll, double stripHeight, double visibleHeight) {
    // Dividing by max, not max + 1, lets the last value show the strip's last rows, and makes
    // a large step of (max + 1) / (zoom - 1) scroll by one window height.
    if (scroll.max <= 0) return 0;
    return -static_cast<double>(scroll.value) / scroll.max * (stripHeight - visibleHeight);
}

}  // namespace krnz::view
