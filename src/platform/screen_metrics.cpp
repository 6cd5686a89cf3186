// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace krnz::platform {

ScreenMetrics screenMetrics(const QScreen* screen, double devicePixelRatio) {
    ScreenMetrics m;
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return m;
    const double dpi = screen->logicalDotsPerInchY();
    if (dpi > 0) m.twipsPerPixel = 1440.0 / dpi;
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : screen->devicePixelRatio();
    if (ratio > 0) m.devicePixelRatio = ratio;
    return m;
}

}  // namespace krnz::platform
