// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/analysis/reporter.h"
#include "core/event/event.h"
#include "core/report/page_target.h"
#include "core/report/ppvzx_drawing.h"
#include "core/report/print_choices.h"
#include "core/report/verdict_table.h"
#include "core/settings/options.h"
#include "core/settings/text_lookup.h"
#include "core/spectrum/fft_graphs.h"

namespace krnz::report {

// The spectrum window's state for a spectrum page.
struct PrintSpectrum {
    std::array<spectrum::GraphSetup, kSlots> graphs;
    std::array<std::string, kSlots> yUnits;  // "mm/s   RMS" ...
    std::string selected;                    // the window's heading
    // The readouts ("x:...", "y:...") of the graphs whose cross-hair shows both its lines.
    std::array<std::optional<std::string>, kSlots> xReadouts;
    std::array<std::optional<std::string>, kSlots> yReadouts;
    double tStart = 0.0;  // s, the analysed interval
    double tEnd = 0.0;
};

// Everything a page is composed from; the pointers must be set except where noted.
struct PrintSources {
    const Event* event = nullptr;
    const UserInfo* userInfo = nullptr;
    const settings::Options* options = nullptr;
    const TextLookup* texts = nullptr;
    PrintChoices choices;
    PrintView view;
    const PpvzxDiagram* ppvzx = nullptr;      // needed with choices.ppvzx or choices.onlyPpvzx
    const VerdictTable* verdict = nullptr;    // under the diagram, when a standard judged it
    const PrintSpectrum* spectrum = nullptr;  // needed with choices.spectrumPrint
    std::string version;                      // the program's, "major.minor.revision"
};

// `printPage`: composes one document on the target: page setup (landscape for a spectrum page),
// the company block, the version at the top right, then either the spectrum graphs with their
// heading, or the event identification line, the information box and the PPV/ZX diagram beside
// it (or the diagram alone), and the channel strips; then ends the document. The margins are
// twips from the page's edges. An error stops the composition, is reported, and the document is
// still ended so the target stays usable; false then, true when the page was composed whole.
bool printPage(PageTarget& target, const PrintSources& sources, const PageMargins& margins,
               analysis::Reporter& reporter);

}  // namespace krnz::report
