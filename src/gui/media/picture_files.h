// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <filesystem>

#include "core/view/picture_names.h"

namespace krnz::gui {

class MainWindow;

// The bytes of `image` as a picture file of `format`; empty when the image cannot be encoded.
QByteArray encodePicture(const QImage& image, view::PictureFormat format);

// Stores `image` under `file`, as PNG when the name ends in ".png" and as a bitmap otherwise.
// The file is replaced in one step, so a failed write leaves an existing picture whole. Throws
// krnz::Error.
void writePicture(const QImage& image, const std::filesystem::path& file);

// The main window's client area as it shows now: toolbar, panels and strips, in device pixels.
QImage clientAreaPicture(MainWindow& window);

// What "Save zoomed part of sample as picture" stores: the client area from the first panel
// below the toolbar down, as wide as the graph area and as tall as the sample-info panel, the
// channel-info panel and the graph area together. A hidden panel's height still counts; what
// the window does not cover stays white.
QImage zoomedWindowPicture(MainWindow& window);

}  // namespace krnz::gui
