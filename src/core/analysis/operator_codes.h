// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/event/event.h"
#include "core/settings/text_lookup.h"

// The operators of the chain: their numbers (the index of the toolbox button that adds each),
// the typed entries the chain keeps, and the two text forms of an entry. The encoded form is
// what macro files hold: the number, then its parameters, separated by single blanks ("0",
// "2 80", "6 s 3", "6 d 3"). The displayed form is what the toolbox's lists show.
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

enum class OperatorKind : int {
    Integrate = kOpIntegrate,
    Diff = kOpDiff,
    LowPass = kOpLowPass,
    HiPass = kOpHiPass,
    ComfortDin = kOpComfortDin,
    ComfortScand = kOpComfortScand,
    Resultant = kOpResultant,
    SwedishStandard = kOpSwedishStandard,
    // An entry that cannot run: an unknown operator number or a malformed resultant entry. It
    // stays in its list (a macro may hold it) and is reported when the chain reaches it.
    Illegal = -1,
};

enum class ResultantRole { Source, Destination };

// One entry of an operator list, parsed once when the chain is built.
struct Operator {
    OperatorKind kind = OperatorKind::Illegal;
    double cutOffHz = 0.0;                       // LowPass, HiPass
    ResultantRole role = ResultantRole::Source;  // Resultant
    std::int64_t group = 0;                      // Resultant
    // The encoded entry as a macro file wrote it, when the program would write this operator
    // differently ("2 80.0", "6 s 03", an unknown "9 1"); empty otherwise. Saving the macro
    // again gives the file's own text back.
    std::string spelling;

    friend bool operator==(const Operator&, const Operator&) = default;
};

// Entries as the buttons make them: an operator without parameters, a filter with its cut-off, a
// resultant entry of a group.
Operator plainOperator(OperatorKind kind);
Operator filterOperator(OperatorKind kind, double cutOffHz);
Operator resultantOperator(ResultantRole role, std::int64_t group);

// The four rows' lists, typed as the chain runs them and encoded as macro files hold them.
using OperatorLists = std::array<std::vector<Operator>, kSlots>;
using EncodedLists = std::array<std::vector<std::string>, kSlots>;

// Language section of the toolbox's captions and messages.
inline constexpr std::string_view kToolboxSection = "toolbox";

// Line break inside a message.
inline constexpr std::string_view kCrLf = "\r\n";

// Caption of an operator's button; empty for numbers outside 0..7 (and for Illegal).
std::string opCaption(int op, const TextLookup& texts);
std::string opCaption(OperatorKind kind, const TextLookup& texts);

// The typed entry of an encoded one. The operator number is field 0 when it is a number that
// rounds (half to even) to 0..7; a filter's cut-off is the leading number of field 1 (0 when it
// is missing); a resultant entry is exactly "6 s N" or "6 d N" with N up to 15 digits. Anything
// else is Illegal. encodedEntry(parseEntry(e)) == e for every e.
Operator parseEntry(std::string_view encoded);
std::string encodedEntry(const Operator& op);

OperatorLists parseLists(const EncodedLists& encoded);
EncodedLists encodedLists(const OperatorLists& lists);

// The display text of an entry added by the buttons: the caption, a filter's cut-off
// ("<caption> ( 80Hz )") or a resultant's role and group ("<caption> ( s3 )").
std::string displayEntry(const Operator& op, const TextLookup& texts);

// The display text of an entry loaded from a macro: the caption, then each further field of the
// encoded entry after a blank (the low-pass caption and " 80"), not the bracketed form of the
// buttons.
std::string displayLoadedEntry(std::string_view encoded, const TextLookup& texts);

// A filter's cut-off as its encoded entry writes it (the frequency dialog's start text); empty
// when the entry has none.
std::string cutOffText(const Operator& op);

}  // namespace krnz::analysis
