// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "core/report/page_target.h"
#include "core/spectrum/fft_graphs.h"

namespace krnz::report {

// One spectrum graph as the printed page draws it.
struct PrintedGraph {
    const spectrum::GraphSetup* setup = nullptr;
    std::string xUnit = "Hz";
    std::string yUnit;         // "mm/s   RMS" ...
    std::string maxampatText;  // the heading's language text
    // The cross-hair readouts ("x:" ..., "y:" ...) when both cursor lines were visible.
    std::optional<std::string> xReadout;
    std::optional<std::string> yReadout;
};

// The graph control's printed form inside `rect`: the heading with the slot and the frequency of
// the largest value, tick texts left of and below the plot, dashed grid lines at the ticks, the
// x unit at the plot's lower right, the readouts, and the curve joined point to point and
// clipped to the plot. The data rectangle maps onto the plot in the target's pixels, as on the
// screen in the screen's.
void printGraph(PageTarget& target, const PrintedGraph& graph, const PageRect& rect);

}  // namespace krnz::report
