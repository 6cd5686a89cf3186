// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <vector>

#include "core/settings/options.h"
#include "core/view/row_reduction.h"

class QPainter;

namespace krnz::gui {

// Everything one channel strip's picture is made of. Rows are pixel rows of the picture.
struct StripPicture {
    const view::RowData* rows = nullptr;
    int slot = 0;
    double fullScale = 1;
    std::vector<double> gridRows;  // time-grid lines, not rounded
    QColor background;
    QColor sample;
    QColor grid;
    settings::DrawStyle drawStyle = settings::DrawStyle::Lines;
};

// Paints a strip of `size` pixels, one pixel per unit of the painter: background, dotted time
// and amplitude grid, solid borders, then the trace from the row minima and maxima (two
// segments or two dots per row, whatever the number of samples).
void paintStrip(QPainter& painter, QSize size, const StripPicture& picture);

// The strip as an image of `size` device pixels shown at `devicePixelRatio`.
QImage renderStrip(const StripPicture& picture, QSize size, double devicePixelRatio);

}  // namespace krnz::gui
