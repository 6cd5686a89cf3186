// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/event/event.h"
#include "core/settings/text_lookup.h"

namespace krnz::report {

// The diagram window starts showing this many of each channel's largest half-waves.
inline constexpr int kDefaultPeaks = 16;

// The entries of the "nPeaks" list: "16", then the language text "all".
std::array<std::string, 2> nPeaksEntries(const TextLookup& texts);

// The number of half-waves the list's selection asks for: Val of the entry, or every half-wave
// (nullopt) when the last entry is selected.
std::optional<int> nPeaksOfSelection(int listIndex, const std::array<std::string, 2>& entries);

// Whether a slot can be plotted: its values are velocities (mm/s or ips), judged by the
// operators' unit when the toolbox's processed rows are in view, else by the file's unit.
bool ppvzxPlottable(const Event& event, bool processed, int slot);

// The diagram's update: fills every slot's half-wave lists (highAmps in mm/s, highAmpFrqs in
// Hz), with nPeaks the largest that many (unused entries 0), else every half-wave in order.
// Returns which slots can be plotted; the window clears and disables the others' boxes.
std::array<bool, kSlots> updateHalfWaves(Event& event, bool processed, std::optional<int> nPeaks);

}  // namespace krnz::report
