// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/half_waves.h"

#include <cmath>
#include <limits>

#include "core/analysis/measurements.h"
#include "core/common/leading_number.h"
#include "core/common/value_format.h"
#include "core/event/units.h"
#include "core/view/full_scale.h"

namespace krnz::report {

std::array<std::string, 2> nPeaksEntries(const TextLookup& texts) {
    return {std::to_string(kDefaultPeaks), texts.text("extragraph", "all")};
}

std::optional<int> nPeaksOfSelection(int listIndex, const std::array<std::string, 2>& entries) {
    if (listIndex == static_cast<int>(entries.size()) - 1) return std::nullopt;
    const double n = roundHalfEven(val(entries.at(static_cast<std::size_t>(listIndex))));
    if (!(n >= 0)) return 0;
    return n > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                               : static_cast<int>(n);
}

bool ppvzxPlottable(const Event& event, bool processed, int slot) {
    return isVelocityUnit(displayedUnit(event, processed, slot));
}

std::array<bool, kSlots> updateHalfWaves(Event& event, bool processed, std::optional<int> nPeaks) {
    std::array<bool, kSlots> plottable{};
    for (int c = 0; c < kSlots; ++c)
        plottable[static_cast<std::size_t>(c)] = ppvzxPlottable(event, processed, c);
    calcAllHighAmps(event, nPeaks);
    return plottable;
}

}  // namespace krnz::report
