// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "core/report/page_target.h"
#include "core/spectrum/fft_graphs.h"
#include "core/spectrum/graph_mapping.h"

namespace krnz::report {

// One spectrum graph as the printed page and the spectrum window draw it.
struct PrintedGraph {
    const spectrum::GraphSetup* setup = nullptr;
    std::string xUnit = "Hz";
    std::string yUnit;         // "mm/s   RMS" ...
    std::string maxampatText;  // the heading's language text
    // The cross-hair readouts ("x:" ..., "y:" ...) when both cursor lines were visible.
    std::optional<std::string> xReadout;
    std::optional<std::string> yReadout;
    // On a screen: the plot's corners on whole pixels of the target, so that its lines are
    // sharp, and at least this many pixels each way, running past `rect` when that is smaller.
    // Paper keeps the plot where the texts leave it.
    bool wholePixels = false;
    int minPlotPixels = 0;
};

// Where the plot went: page twips, and the data rectangle's mapping onto its pixels. A plot
// without width or height (no room) draws nothing.
struct GraphLayout {
    PageRect plot;
    spectrum::GraphMapping map;
};

// The plot's place inside `rect` for the current texts; leaves the target's font changed.
GraphLayout layoutGraph(PageTarget& target, const PrintedGraph& graph, const PageRect& rect);

// The graph control's printed form inside `rect`: the heading with the slot and the frequency of
// the largest value, tick texts left of and below the plot, dashed grid lines at the ticks, the
// x unit at the plot's lower right, the readouts, and the curve joined point to point and
// clipped to the plot. The data rectangle maps onto the plot in the target's pixels, as on the
// screen in the screen's. Values <= 0 on a logarithmic y axis lie on its bottom edge.
GraphLayout printGraph(PageTarget& target, const PrintedGraph& graph, const PageRect& rect);

}  // namespace krnz::report
