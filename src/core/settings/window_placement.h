// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace krnz::settings {

// Window geometry in twips.
struct WindowGeometry {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool operator==(const WindowGeometry&) const = default;
};

// Where a window opens: the stored size and position, except that a stored width wider than the
// desktop work area takes the work-area width at left edge 0, and likewise for the height and
// top edge. The work area's own size is read from `workArea.width` and `workArea.height`.
WindowGeometry placeWindow(const WindowGeometry& stored, const WindowGeometry& workArea);

// A rectangle in screen pixels, as a window manager places a frame.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

// A window's frame (title bar and borders included) fitted into the available area: made no
// larger than the area, then moved the least distance that puts it wholly inside. A frame that
// already fits is returned unchanged, so stored places are kept.
PixelRect fitFrame(const PixelRect& frame, const PixelRect& area);

}  // namespace krnz::settings
