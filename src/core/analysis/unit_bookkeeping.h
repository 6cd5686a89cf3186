// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>

// How the chain's integration and differentiation change a row's unit. Unlike the derived units
// of a channel, which always give an answer, only the conversions listed here are allowed; any
// other unit is refused.
namespace krnz::analysis {

struct UnitChange {
    int unit;       // the new unit code
    double factor;  // multiplies the integral (unit * s) or derivative (unit / s) into it
};

std::optional<UnitChange> integratedUnit(int unit);
std::optional<UnitChange> differentiatedUnit(int unit);

// Unit of a resultant: the sources' common unit, or "undef" (19) when they differ.
int resultantUnit(std::span<const int> sourceUnits);

}  // namespace krnz::analysis
