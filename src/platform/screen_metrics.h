// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QScreen;

namespace krnz::platform {

// Geometry units of a screen. Positions of window elements are reasoned about in twips
// (1/1440 inch); widgets work in logical pixels and the strips are drawn in device pixels so
// that a trace is one physical pixel wide on high-density screens.
struct ScreenMetrics {
    double twipsPerPixel = 15;  // per logical pixel: 1440 / logical DPI
    double devicePixelRatio = 1;

    // Twips per device pixel: the size of one drawn row of a strip.
    double twipsPerDevicePixel() const { return twipsPerPixel / devicePixelRatio; }
};

// The metrics of a screen (the primary screen for nullptr). A window may be drawn at another
// pixel ratio than its screen's (QT_SCALE_FACTOR); pass the window's ratio when known.
ScreenMetrics screenMetrics(const QScreen* screen, double devicePixelRatio = 0);

}  // namespace krnz::platform
