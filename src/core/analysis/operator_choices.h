// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/analysis/operator_chain.h"
#include "core/analysis/reporter.h"
#include "core/settings/text_lookup.h"

// The checks of the two parameter dialogs of the operator buttons. A refused choice is reported
// and the dialog stays open; the dialogs themselves belong to the toolbox window.
namespace krnz::analysis {

inline constexpr int kMinFilterHz = 1;
inline constexpr int kMaxFilterHz = 500;
inline constexpr std::string_view kFrequencyStartText = "80";
// The chosen frequency before the frequency dialog is confirmed.
inline constexpr int kNoFrequency = -4711;

// "ok" of the frequency dialog: the leading number of the text rounded half to even, when it
// lies in 1..500 Hz; otherwise the "badfrq" message followed by " 1 - 500" and nothing. Text
// without a number reads as 0; a number too large for a whole number is out of range too.
std::optional<int> frequencyChoice(std::string_view text, const TextLookup& texts,
                                   Reporter& reporter);

// "ok" of the resultant dialog: the checked channels (2 or 3 of them) and the chosen destination
// channel 1..4; otherwise the "selectNchannels" text followed by "!" and nothing.
std::optional<ResultantChoice> resultantChoice(const std::array<bool, kSlots>& checked,
                                               int destinationChannel, const TextLookup& texts,
                                               Reporter& reporter);

}  // namespace krnz::analysis
