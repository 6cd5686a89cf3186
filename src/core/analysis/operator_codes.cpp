// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/operator_codes.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "core/common/leading_number.h"
#include "core/common/value_format.h"

namespace krnz::analysis {
namespace {

constexpr std::array<std::string_view, kOperatorCount> kCaptionKeys = {
    "integrate",  "diff",         "lowPass",   "hiPass",
    "comfortDin", "comfortScand", "resultant", "swedishStandard"};

// Group numbers are written by the program as plain decimals; longer ones cannot come from it.
constexpr std::size_t kMaxGroupDigits = 15;

// An encoded entry split on single blanks; "2  80" gives "2", "", "80".
std::vector<std::string_view> splitFields(std::string_view entry) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = entry.find(' ', start);
        if (blank == std::string_view::npos) {
            fields.push_back(entry.substr(start));
            return fields;
        }
        fields.push_back(entry.substr(start, blank - start));
        start = blank + 1;
    }
}

std::optional<int> operatorNumber(std::string_view field) {
    const std::optional<double> number = leadingNumber(field);
    if (!number || !(std::fabs(*number) < kOperatorCount + 1)) return std::nullopt;
    const double op = roundHalfEven(*number);
    if (op < 0 || op >= kOperatorCount) return std::nullopt;
    return static_cast<int>(op);
}

std::optional<std::int64_t> parseGroup(std::string_view text) {
    if (text.empty() || text.size() > kMaxGroupDigits) return std::nullopt;
    std::int64_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// The shortest text that reads back as the same value: "80" for the whole frequencies of the
// buttons, as std::to_string of the int wrote them.
std::string numberText(double x) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string();
}

bool isFilter(OperatorKind kind) {
    return kind == OperatorKind::LowPass || kind == OperatorKind::HiPass;
}

// The entry as the program writes it; an Illegal entry has no such form.
std::string canonicalEntry(const Operator& op) {
    if (op.kind == OperatorKind::Illegal) return {};
    std::string text = std::to_string(static_cast<int>(op.kind));
    if (isFilter(op.kind)) text += " " + numberText(op.cutOffHz);
    if (op.kind == OperatorKind::Resultant)
        text += (op.role == ResultantRole::Source ? " s " : " d ") + std::to_string(op.group);
    return text;
}

Operator parseFields(const std::vector<std::string_view>& fields) {
    const std::optional<int> number = operatorNumber(fields[0]);
    if (!number) return {};
    Operator op = plainOperator(static_cast<OperatorKind>(*number));
    if (isFilter(op.kind)) op.cutOffHz = fields.size() > 1 ? val(fields[1]) : 0.0;
    if (op.kind == OperatorKind::Resultant) {
        if (fields.size() != 3 || (fields[1] != "s" && fields[1] != "d")) return {};
        const std::optional<std::int64_t> group = parseGroup(fields[2]);
        if (!group) return {};
        op.role = fields[1] == "s" ? ResultantRole::Source : ResultantRole::Destination;
        op.group = *group;
    }
    return op;
}

}  // namespace

Operator plainOperator(OperatorKind kind) {
    Operator op;
    op.kind = kind;
    return op;
}

Operator filterOperator(OperatorKind kind, double cutOffHz) {
    Operator op = plainOperator(kind);
    op.cutOffHz = cutOffHz;
    return op;
}

Operator resultantOperator(ResultantRole role, std::int64_t group) {
    Operator op = plainOperator(OperatorKind::Resultant);
    op.role = role;
    op.group = group;
    return op;
}

std::string opCaption(int op, const TextLookup& texts) {
    if (op < 0 || op >= kOperatorCount) return {};
    return texts.text(kToolboxSection, kCaptionKeys[static_cast<std::size_t>(op)]);
}

std::string opCaption(OperatorKind kind, const TextLookup& texts) {
    return opCaption(static_cast<int>(kind), texts);
}

Operator parseEntry(std::string_view encoded) {
    Operator op = parseFields(splitFields(encoded));
    if (canonicalEntry(op) != encoded) op.spelling = encoded;
    return op;
}

std::string encodedEntry(const Operator& op) {
    return op.spelling.empty() ? canonicalEntry(op) : op.spelling;
}

OperatorLists parseLists(const EncodedLists& encoded) {
    OperatorLists lists;
    for (int r = 0; r < kSlots; ++r)
        for (const std::string& entry : encoded[r]) lists[r].push_back(parseEntry(entry));
    return lists;
}

EncodedLists encodedLists(const OperatorLists& lists) {
    EncodedLists encoded;
    for (int r = 0; r < kSlots; ++r)
        for (const Operator& op : lists[r]) encoded[r].push_back(encodedEntry(op));
    return encoded;
}

std::string displayEntry(const Operator& op, const TextLookup& texts) {
    std::string text = opCaption(op.kind, texts);
    if (isFilter(op.kind)) text += " ( " + numberText(op.cutOffHz) + "Hz )";
    if (op.kind == OperatorKind::Resultant)
        text +=
            (op.role == ResultantRole::Source ? " ( s" : " ( d") + std::to_string(op.group) + " )";
    return text;
}

std::string displayLoadedEntry(std::string_view encoded, const TextLookup& texts) {
    const std::vector<std::string_view> fields = splitFields(encoded);
    std::string text = opCaption(operatorNumber(fields[0]).value_or(-1), texts);
    for (std::size_t i = 1; i < fields.size(); ++i) {
        text += ' ';
        text += fields[i];
    }
    return text;
}

std::string cutOffText(const Operator& op) {
    if (!isFilter(op.kind)) return {};
    if (op.spelling.empty()) return numberText(op.cutOffHz);
    const std::vector<std::string_view> fields = splitFields(op.spelling);
    return fields.size() > 1 ? std::string(fields[1]) : std::string();
}

}  // namespace krnz::analysis
