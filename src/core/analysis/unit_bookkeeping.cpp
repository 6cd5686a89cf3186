// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/unit_bookkeeping.h"

#include <array>

#include "core/event/units.h"

namespace krnz::analysis {
namespace {

struct UnitRule {
    int from;
    UnitChange to;
};

// Unit codes: 0 µm, 1 mm, 2 mm/s, 3 ips, 4 m/s2, 5 g, 6 Pa, 16 Pas, 17 Pa/s, 18 in.
constexpr std::array<UnitRule, 5> kIntegration = {{
    {2, {0, 1000.0}},
    {4, {2, 1000.0}},
    {6, {16, 1.0}},
    {3, {18, 1.0}},
    {5, {3, kInPerS2PerG}},
}};

constexpr std::array<UnitRule, 6> kDifferentiation = {{
    {2, {4, 1.0 / 1000.0}},
    {0, {2, 1.0 / 1000.0}},
    {1, {2, 1.0}},
    {6, {17, 1.0}},
    {18, {3, 1.0}},
    {3, {5, 1.0 / kInPerS2PerG}},
}};

template <std::size_t N>
std::optional<UnitChange> lookUp(const std::array<UnitRule, N>& rules, int unit) {
    for (const UnitRule& rule : rules)
        if (rule.from == unit) return rule.to;
    return std::nullopt;
}

}  // namespace

std::optional<UnitChange> integratedUnit(int unit) {
    return lookUp(kIntegration, unit);
}

std::optional<UnitChange> differentiatedUnit(int unit) {
    return lookUp(kDifferentiation, unit);
}

int resultantUnit(std::span<const int> sourceUnits) {
    for (const int unit : sourceUnits)
        if (unit != sourceUnits.front()) return kUnitUndef;
    return sourceUnits.empty() ? kUnitUndef : sourceUnits.front();
}

}  // namespace krnz::analysis
