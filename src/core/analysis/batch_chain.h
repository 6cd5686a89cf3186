// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <optional>

#include "core/analysis/reporter.h"
#include "core/event/event.h"
#include "core/settings/text_lookup.h"

namespace krnz::analysis {

// The toolbox's choices for a run without the window (command line, scripts).
struct BatchChainOptions {
    std::optional<std::filesystem::path> macroFile;  // none: empty operator lists
    std::array<int, kSlots> sourceChannel = {1, 2, 3, 4};
    std::array<bool, kSlots> intOn{};
};

// Runs the chain on a freshly read event as the toolbox's "show" does, leaving the processed
// rows, curUnit, rmsFlag and the extremes in the event. False (after the "versionError" message)
// when the macro file cannot be used; the event is then untouched.
bool runChainOnEvent(Event& event, const BatchChainOptions& options, const TextLookup& texts,
                     Reporter& reporter);

}  // namespace krnz::analysis
