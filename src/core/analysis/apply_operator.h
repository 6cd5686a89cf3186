// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/analysis/reporter.h"
#include "core/event/event.h"
#include "core/settings/text_lookup.h"

namespace krnz::analysis {

// Runs one encoded operator on row `row` (0..3) of the event's samples in place and updates the
// row's curUnit and rmsFlag. A resultant arrives as "6 " followed by each source row and a blank
// ("6 0 1 2 " writes the vector sum of rows 0..2 into `row`).
//
// Refusals leave the row, its unit and its rms flag as they were and report through `reporter`:
// an unknown operator ("illegalOperator"), integration or differentiation of a unit without a
// conversion (genIllegalUnit), a filter cut-off that is not above 0 and below half the sampling
// frequency ("badfrq" with the usable range), a weighting the sampling frequency cannot carry.
void applyOperator(Event& event, std::string_view op, int row, const TextLookup& texts,
                   Reporter& reporter);

}  // namespace krnz::analysis
