// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/full_scale.h"

#include <algorithm>

#include "core/analysis/active_channels.h"
#include "core/analysis/measurements.h"
#include "core/settings/scale_table.h"

namespace krnz::view {

std::size_t fullScalePositionFor(double peak) {
    const auto& table = settings::scaleTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i] >= peak) return i;
    return table.size() - 1;
}

void autoScale(settings::Options& options, const Event& event, bool processed, int slot) {
    settings::SlotOptions& own = options.slotOptions[static_cast<std::size_t>(slot)];
    if (own.ampScale == settings::AmpScale::Auto) {
        own.manualScale = fullScalePositionFor(peakValue(event.sample, slot));
        return;
    }
    if (own.ampScale != settings::AmpScale::Normalize) return;
    const int unit = displayedUnit(event, processed, slot);
    auto inGroup = [&](int j) {
        return isActive(options, j) &&
               options.slotOptions[static_cast<std::size_t>(j)].ampScale ==
                   settings::AmpScale::Normalize &&
               displayedUnit(event, processed, j) == unit;
    };
    double groupPeak = peakValue(event.sample, slot);
    for (int j = 0; j < kSlots; ++j)
        if (inGroup(j)) groupPeak = std::max(groupPeak, peakValue(event.sample, j));
    const std::size_t position = fullScalePositionFor(groupPeak);
    for (int j = 0; j < kSlots; ++j)
        if (inGroup(j)) options.slotOptions[static_cast<std::size_t>(j)].manualScale = position;
    own.manualScale = position;
}

}  // namespace krnz::view
