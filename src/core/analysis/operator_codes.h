// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/text_lookup.h"

// The operators of the chain by number (the index of the toolbox button that adds each) and
// the encoded entries of the operator lists: the number, then its parameters, separated by
// single blanks ("0", "2 80", "6 s 3", "6 d 3").
namespace krnz::analysis {

enum OperatorNumber : int {
    kOpIntegrate = 0,
    kOpDiff = 1,
    kOpLowPass = 2,
    kOpHiPass = 3,
    kOpComfortDin = 4,
    kOpComfortScand = 5,
    kOpResultant = 6,
    kOpSwedishStandard = 7,
};
inline constexpr int kOperatorCount = 8;

// Language section of the toolbox's captions and messages.
inline constexpr std::string_view kToolboxSection = "toolbox";

// Line break inside a message.
inline constexpr std::string_view kCrLf = "\r\n";

// Caption of an operator's button; empty for numbers outside 0..7.
std::string opCaption(int op, const TextLookup& texts);

// An encoded entry split on single blanks; "2  80" gives "2", "", "80".
std::vector<std::string_view> splitFields(std::string_view entry);

// The operator number of an encoded entry: field 0 when it is a whole number 0..7 written in
// digits, otherwise nothing (an unknown operator).
std::optional<int> operatorNumber(std::string_view entry);

// A resultant entry: "6 s N" (this row is a source of group N) or "6 d N" (the destination).
struct ResultantEntry {
    bool source = true;
    std::int64_t group = 0;
};
// Nothing when the entry is not a well-formed resultant entry.
std::optional<ResultantEntry> parseResultantEntry(std::string_view entry);

// Entries as the operator buttons add them: encoded and displayed.
std::string encodedEntry(int op);
std::string encodedFilterEntry(int op, int frequencyHz);
std::string encodedResultantEntry(const ResultantEntry& entry);
std::string displayEntry(int op, const TextLookup& texts);
std::string displayFilterEntry(int op, int frequencyHz, const TextLookup& texts);
std::string displayResultantEntry(const ResultantEntry& entry, const TextLookup& texts);

// The display text of an entry loaded from a macro: the caption, then each further field after
// a blank (the low-pass caption and " 80"), not the bracketed form of the buttons.
std::string displayLoadedEntry(std::string_view entry, const TextLookup& texts);

}  // namespace krnz::analysis
