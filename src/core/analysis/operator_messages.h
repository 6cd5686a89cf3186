// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/analysis/apply_operator.h"
#include "core/analysis/operator_codes.h"
#include "core/settings/text_lookup.h"

// The toolbox's messages about the chain's run, in the user's language. Lines are separated by
// CR LF; "f = " names the operator and "c = " the row counted from 1.
namespace krnz::analysis {

// The message for an operator's outcome on `row`; nothing when it was applied.
//   IllegalOperator   the illegalOperator text
//   IllegalUnit       the genIllegalUnit text, "f = ", "c = "
//   UnusableCutOff    the badfrq text and " 1 - " with the highest usable frequency, "f = ", "c = "
//   WeightingRefused  the weighting's reason, "f = ", "c = "
std::optional<std::string> outcomeMessage(const OperatorOutcome& outcome, OperatorKind kind,
                                          int row, const TextLookup& texts);

std::string illegalOperatorMessage(const TextLookup& texts);

// A resultant group the chain could not run: the resultantSkipped text, "f = " and "N = " with
// the group's number.
std::string resultantSkippedMessage(std::int64_t group, const TextLookup& texts);

}  // namespace krnz::analysis
