// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace krnz::view {

// The zoom factors offered in the toolbar, in list order.
inline constexpr std::array<int, 5> kZoomFactors = {1, 2, 4, 8, 16};

// The vertical scroll bar of a zoomed view: value 0..max, where max + 1 stands for the whole
// strip height.
struct ScrollState {
    int min = 0;
    int max = 999;
    int value = 0;
    int smallChange = 10;
    int largeChange = 1;
};

struct ZoomState {
    int zoom = 1;
    int previousZoom = 1;
    ScrollState scroll;
};

// A new zoom factor: one large scroll step becomes one window height, round((max + 1) /
// (zoom - 1)), and the view goes back to the top.
void selectZoom(ZoomState& state, int zoom);

// Page Up / Page Down: one large step, never past min or max.
void pageUp(ScrollState& scroll);
void pageDown(ScrollState& scroll);

// The mouse wheel: `notches` away from the user (negative: towards) scroll up by three small
// steps a notch, never past min or max.
int wheelScrollValue(const ScrollState& scroll, int notches);
// Ctrl+wheel: the zoom factor `notches` entries further along the list (away from the user
// zooms in), kept to the list's ends. A factor not in the list counts as the first.
int steppedZoom(int zoom, int notches);

// Top of the strips relative to the visible area for a scroll value: 0 at the top, the strip's
// last window height showing at max.
double scrolledTop(const ScrollState& scroll, double stripHeight, double visibleHeight);

}  // namespace krnz::view
