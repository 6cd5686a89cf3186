// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/analysis/operator_codes.h"
#include "core/analysis/reporter.h"
#include "core/event/event.h"
#include "core/settings/text_lookup.h"

namespace krnz::analysis {

// Runs the four rows' operator lists on the event in place, keeping resultants in step:
// each row runs its entries up to its next resultant entry; then the first group (in row order
// of the rows' current entries) that has every remaining entry at the front of its rows runs
// once, with the row holding its destination entry as destination. A row that is source and
// destination takes part with its samples as they were before the resultant.
//
// The run always ends. A group that lacks its destination, has fewer than two or more than
// three sources, or can never become ready (its entries ordered against another group's in two
// rows) is skipped, its entries counted as done, with a "resultantSkipped" message. An operator
// that refuses its row, and an Illegal entry, are reported (operator_messages.h) and the run goes
// on.
void runOperatorLists(Event& event, const OperatorLists& opInt, const TextLookup& texts,
                      Reporter& reporter);

}  // namespace krnz::analysis
