// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>

#include "core/analysis/reporter.h"
#include "core/settings/text_lookup.h"

// How the chain's integration and differentiation change a row's unit. Unlike the derived units
// of a channel, which always give an answer, only the conversions listed here are allowed; any
// other unit is refused with the genIllegalUnit message.
namespace krnz::analysis {

struct UnitChange {
    int unit;       // the new unit code
    double factor;  // multiplies the integral (unit * s) or derivative (unit / s) into it
};

std::optional<UnitChange> integratedUnit(int unit);
std::optional<UnitChange> differentiatedUnit(int unit);

// Unit of a resultant: the sources' common unit, or "undef" (19) when they differ.
int resultantUnit(std::span<const int> sourceUnits);

// The illegal-unit message: the genIllegalUnit text, then "f = " and the operator's caption,
// then "c = " and the row number counted from 1.
void genIllegalUnit(int op, int row, const TextLookup& texts, Reporter& reporter);

}  // namespace krnz::analysis
