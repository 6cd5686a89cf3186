// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/strip_drawing.h"

#include "core/analysis/active_channels.h"
#include "core/common/parallel.h"
#include "gui/view/strip_painter.h"
#include "platform/colors.h"

namespace krnz::gui {

DrawnStrips drawStrips(const Workspace& workspace, const StripSizes& sizes, int zoom) {
    const Event& event = workspace.event();
    const settings::Options& options = workspace.options();
    const view::RowData& rows = workspace.rows();

    DrawnStrips out;
    const TimeGrid grid = timeGridStep(static_cast<double>(event.sample.nSecPerChannel) / zoom);
    out.gridStepS = grid.stepS;
    out.gridLines = view::timeGridLines(event.sample.nSecPerChannel, event.sample.pretrig,
                                        rows.secondsPerRow, grid);
    std::vector<double> gridRows;
    gridRows.reserve(out.gridLines.size());
    for (const auto& line : out.gridLines) gridRows.push_back(line.row);

    // Each strip is its own image, so they are painted side by side (QPainter on a QImage
    // may work in any thread).
    parallelFor(kSlots, [&](int c) {
        const auto s = static_cast<std::size_t>(c);
        if (!view::isActive(options, c) || sizes.widths[s] <= 0) return;
        const settings::SlotColors& colors = options.slotOptions[s].colors;
        StripPicture picture;
        picture.rows = &rows;
        picture.slot = c;
        picture.fullScale = settings::getManualScale(options, c);
        picture.gridRows = gridRows;
        picture.background = platform::toQColor(colors.bkColor);
        picture.sample = platform::toQColor(colors.sampleColor);
        picture.grid = platform::toQColor(colors.gridColor);
        picture.drawStyle = options.drawStyle;
        out.images[s] =
            renderStrip(picture, QSize(sizes.widths[s], rows.rowCount), sizes.devicePixelRatio);
    });
    return out;
}

}  // namespace krnz::gui
