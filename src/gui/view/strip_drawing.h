// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <array>
#include <vector>

#include "core/event/event.h"
#include "core/settings/options.h"
#include "core/view/row_reduction.h"
#include "core/view/time_grid.h"
#include "core/workspace/workspace.h"

namespace krnz::gui {

// The pixel size of the strips to draw: the graph width of each slot (0 when hidden) and the
// strip height, in device pixels.
struct StripSizes {
    std::array<int, kSlots> widths{};
    int height = 0;  // H: round(visible height in device pixels x zoom)
    double devicePixelRatio = 1;
};

struct DrawnStrips {
    std::array<QImage, kSlots> images;  // null for hidden slots
    std::vector<view::TimeGridLine> gridLines;
    double gridStepS = 0;
};

// The drawing of the layout pass, after Workspace::layoutRows(sizes.height) has chosen the full
// scales and reduced the rows: the time grid for the visible span (record / zoom), and every
// active strip drawn into its image (`drawTimeGrid`, `drawTraces`).
DrawnStrips drawStrips(const Workspace& workspace, const StripSizes& sizes, int zoom);

}  // namespace krnz::gui
