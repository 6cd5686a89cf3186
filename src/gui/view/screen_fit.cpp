// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/screen_fit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QWidget>

#include "core/settings/window_placement.h"

namespace krnz::gui {
namespace {

QMargins frameMargins(const QWidget& w) {
    const QRect frame = w.frameGeometry();
    const QRect inner = w.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

bool hasFrame(const QWidget& w) {
    return w.frameGeometry() != w.geometry();
}

// A window not yet mapped has no frame yet; the window manager will give it one like those of
// the program's windows already on the screen (the main window is always there). Without a
// window manager there are no frames.
QMargins expectedFrameMargins(const QWidget& window) {
    if (hasFrame(window)) return frameMargins(window);
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != &window && other->isVisible() && hasFrame(*other)) return frameMargins(*other);
    return {};
}

}  // namespace

void keepOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr || window.isMaximized() || window.isFullScreen()) return;
    const QRect area = screen->availableGeometry();
    const QMargins margins = expectedFrameMargins(window);
    // pos() is the frame's corner: the one the window has, or the one move() asked for (stored
    // places are frames' corners too).
    const QRect frame(window.pos(), window.size().grownBy(margins));
    const settings::PixelRect fitted =
        settings::fitFrame({frame.left(), frame.top(), frame.width(), frame.height()},
                           {area.left(), area.top(), area.width(), area.height()});
    const QRect inner = QRect(fitted.left, fitted.top, fitted.width, fitted.height) - margins;
    // Where the window manager is still to place a window, it places it on the screen.
    if (!window.testAttribute(Qt::WA_Moved) && !hasFrame(window)) {
        if (inner.size() != window.size()) window.resize(inner.size());
        return;
    }
    // The inner rectangle is set even when the frame fits: a corner given by move() counts as
    // the frame's only while the window does not exist yet, and is the inner one's after.
    window.setGeometry(inner);
}

int titleBarWidth(const QWidget& window) {
    // Title bars are mostly bold; the icon and three buttons take about this much beside it.
    constexpr int kIconAndButtonsPx = 140;
    QFont font = window.font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window.windowTitle()) + kIconAndButtonsPx;
}

}  // namespace krnz::gui
