// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/reporter.h"
#include "core/event/event.h"
#include "core/report/page_target.h"
#include "core/report/ppvzx_config.h"
#include "core/report/ppvzx_texts.h"

namespace krnz::report {

// What one drawing of the PPV/ZX diagram shows.
struct PpvzxDiagram {
    const PpvzxTable* table = nullptr;
    int standard = -1;                     // position in table->standards; -1: none selected
    std::array<bool, kSlots> channelOn{};  // the window's "channelOn" boxes
    const SampleRecord* rec = nullptr;     // highAmps (mm/s) and highAmpFrqs (Hz) per slot
    PpvzxTexts texts;
    bool color = true;  // limit lines in red rather than black
    // Each slot's half-wave that fares worst against the standard (frequency Hz, amplitude
    // mm/s), framed where the slot is ticked.
    std::array<std::optional<std::pair<double, double>>, kSlots> worst{};
};

// A half-wave's marker: the slot's number centred at (x, y), page twips.
struct PpvzxMarker {
    int slot = 0;
    double x = 0.0;
    double y = 0.0;
    std::string tooltip;
};

struct PpvzxDrawing {
    PageRect plot;  // the plot frame ("ppvzxInner"), page twips
    std::vector<PpvzxMarker> markers;
};

// The selected standard, or the keys' defaults (mm/s, logarithmic axes) when none is selected.
const PpvzxStandard& selectedStandard(const PpvzxDiagram& diagram);

// `drawPPVZX`: the whole diagram inside `outer` ("ppvzxOuter"): heading and axis titles, the
// frame, the grid with axis numbers at the label values (a number that would overlap its
// neighbour is left out; its grid line stays), the selected standard's limit lines, and one
// marker per half-wave of each ticked slot. The window draws through this on its own target and
// keeps the markers for their tooltips; the printed page draws it at the diagram's place.
//
// The log(0) notes of the transforms are reported once each and the drawing goes on. Markers of
// unused list entries (amplitude 0) are not drawn; markers beyond the last label value sit on
// the far edge; limit lines are clipped to the frame. When the first and last label values of an
// axis coincide, the division by zero is reported and only titles and frame are drawn.
PpvzxDrawing drawPPVZX(PageTarget& target, const PpvzxDiagram& diagram, const PageRect& outer,
                       analysis::Reporter& reporter);

}  // namespace krnz::report
