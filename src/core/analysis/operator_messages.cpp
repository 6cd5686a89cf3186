// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/operator_messages.h"

#include "core/common/value_format.h"

namespace krnz::analysis {
namespace {

std::string operatorLines(OperatorKind kind, int row, const TextLookup& texts) {
    return std::string(kCrLf) + "f = " + opCaption(kind, texts) + std::string(kCrLf) +
           "c = " + std::to_string(row + 1);
}

}  // namespace

std::optional<std::string> outcomeMessage(const OperatorOutcome& outcome, OperatorKind kind,
                                          int row, const TextLookup& texts) {
    switch (outcome.refusal) {
        case OperatorRefusal::None:
            return std::nullopt;
        case OperatorRefusal::IllegalOperator:
            return illegalOperatorMessage(texts);
        case OperatorRefusal::IllegalUnit:
            return texts.text(kToolboxSection, "genIllegalUnit") + operatorLines(kind, row, texts);
        case OperatorRefusal::UnusableCutOff:
            return texts.text(kToolboxSection, "badfrq") + " 1 - " +
                   textOf(outcome.highestCutOffHz) + operatorLines(kind, row, texts);
        case OperatorRefusal::WeightingRefused:
            return outcome.reason + operatorLines(kind, row, texts);
    }
    return std::nullopt;
}

std::string illegalOperatorMessage(const TextLookup& texts) {
    return texts.text(kToolboxSection, "illegalOperator");
}

std::string resultantSkippedMessage(std::int64_t group, const TextLookup& texts) {
    return texts.text(kToolboxSection, "resultantSkipped") + std::string(kCrLf) +
           "f = " + opCaption(OperatorKind::Resultant, texts) + std::string(kCrLf) +
           "N = " + std::to_string(group);
}

}  // namespace krnz::analysis
