// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace krnz::gui {

// Keeps a top-level window, title bar and borders included, wholly on its screen's available
// area (settings::fitFrame). Called from the window's showEvent, after its own size and any
// stored place are set: a place that fits is kept. A window the program never placed keeps
// the window manager's placement and is only made small enough.
void keepOnScreen(QWidget& window);

// The width a window needs for the window manager to show its whole title beside the title
// bar's icon and buttons.
int titleBarWidth(const QWidget& window);

}  // namespace krnz::gui
