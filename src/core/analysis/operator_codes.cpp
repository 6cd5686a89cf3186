// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/operator_codes.h"

#include <array>
#include <cmath>

#include "core/common/leading_number.h"
#include "core/common/value_format.h"

namespace krnz::analysis {
namespace {

constexpr std::array<std::string_view, kOperatorCount> kCaptionKeys = {
    "integrate",  "diff",         "lowPass",   "hiPass",
    "comfortDin", "comfortScand", "resultant", "swedishStandard"};

// Group numbers are written by the program as plain decimals; longer ones cannot come from it.
constexpr std::size_t kMaxGroupDigits = 15;

std::optional<std::int64_t> parseGroup(std::string_view text) {
    if (text.empty() || text.size() > kMaxGroupDigits) return std::nullopt;
    std::int64_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

std::string opCaption(int op, const TextLookup& texts) {
    if (op < 0 || op >= kOperatorCount) return {};
    return texts.text(kToolboxSection, kCaptionKeys[static_cast<std::size_t>(op)]);
}

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

std::optional<int> operatorNumber(std::string_view entry) {
    const std::optional<double> number = leadingNumber(splitFields(entry)[0]);
    if (!number || !(std::fabs(*number) < kOperatorCount + 1)) return std::nullopt;
    const double op = roundHalfEven(*number);
    if (op < 0 || op >= kOperatorCount) return std::nullopt;
    return static_cast<int>(op);
}

std::optional<ResultantEntry> parseResultantEntry(std::string_view entry) {
    const std::vector<std::string_view> fields = splitFields(entry);
    if (fields.size() != 3 || operatorNumber(entry) != kOpResultant) return std::nullopt;
    if (fields[1] != "s" && fields[1] != "d") return std::nullopt;
    const std::optional<std::int64_t> group = parseGroup(fields[2]);
    if (!group) return std::nullopt;
    return ResultantEntry{fields[1] == "s", *group};
}

std::string encodedEntry(int op) {
    return std::to_string(op);
}

std::string encodedFilterEntry(int op, int frequencyHz) {
    return std::to_string(op) + " " + std::to_string(frequencyHz);
}

std::string encodedResultantEntry(const ResultantEntry& entry) {
    return std::to_string(kOpResultant) + (entry.source ? " s " : " d ") +
           std::to_string(entry.group);
}

std::string displayEntry(int op, const TextLookup& texts) {
    return opCaption(op, texts);
}

std::string displayFilterEntry(int op, int frequencyHz, const TextLookup& texts) {
    return opCaption(op, texts) + " ( " + std::to_string(frequencyHz) + "Hz )";
}

std::string displayResultantEntry(const ResultantEntry& entry, const TextLookup& texts) {
    return opCaption(kOpResultant, texts) + (entry.source ? " ( s" : " ( d") +
           std::to_string(entry.group) + " )";
}

std::string displayLoadedEntry(std::string_view entry, const TextLookup& texts) {
    const std::vector<std::string_view> fields = splitFields(entry);
    std::string text = opCaption(operatorNumber(entry).value_or(-1), texts);
    for (std::size_t i = 1; i < fields.size(); ++i) {
        text += ' ';
        text += fields[i];
    }
    return text;
}

}  // namespace krnz::analysis
