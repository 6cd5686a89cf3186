// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace krnz::gui {

// What the media actions picture: the main window's own widgets as they are shown. The main
// window provides it; tests may stand in for it.
class WindowPictures {
  public:
    virtual ~WindowPictures() = default;
    // The client area, for the printer.
    virtual QImage clientAreaPicture() = 0;
    // From the sample-info panel down, the strips at their full length.
    virtual QImage zoomedWindowPicture() = 0;
    // A slot's strip as last drawn.
    virtual QImage stripPicture(int slot) = 0;
    // Of the screen the window is on: what a picture's size means on paper.
    virtual double twipsPerPixel() const = 0;
};

}  // namespace krnz::gui
