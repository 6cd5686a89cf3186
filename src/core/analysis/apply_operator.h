// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string>

#include "core/analysis/operator_codes.h"
#include "core/event/event.h"

namespace krnz::analysis {

// Why an operator left a row as it was. The chain turns each into the user's message.
enum class OperatorRefusal {
    None,
    IllegalOperator,   // an Illegal entry, or a resultant entry run on its own
    IllegalUnit,       // integration or differentiation of a unit without a conversion
    UnusableCutOff,    // a filter cut-off not above 0 and below half the sampling frequency
    WeightingRefused,  // a weighting the sampling frequency cannot carry
};

struct OperatorOutcome {
    OperatorRefusal refusal = OperatorRefusal::None;
    // UnusableCutOff: the highest whole frequency strictly below half the sampling frequency.
    double highestCutOffHz = 0.0;
    // WeightingRefused: the weighting's own explanation.
    std::string reason;

    bool applied() const { return refusal == OperatorRefusal::None; }
};

// Runs one operator on row `row` (0..3) of the event's samples in place and updates the row's
// curUnit and rmsFlag. A refusal leaves the row, its unit and its rms flag as they were.
// Resultant entries take part in their group instead (applyResultant).
OperatorOutcome applyOperator(Event& event, const Operator& op, int row);

// applyOperator of one operator on two rows, with the same outcomes and rows to the bit; the
// filters and comfort weightings work the rows side by side.
std::array<OperatorOutcome, 2> applyOperatorPair(Event& event, const Operator& op, int rowA,
                                                 int rowB);

// The vector sum of two or three distinct source rows (0..3) into `row`; the row's unit becomes
// the sources' common unit, or "undef" when they differ. Another number of sources throws
// krnz::Error.
void applyResultant(Event& event, std::span<const int> sources, int row);

}  // namespace krnz::analysis
