// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/operator_messages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "chain_test_support.h"

namespace krnz::analysis {
namespace {

using test::KeyTexts;

OperatorOutcome outcomeOf(OperatorRefusal refusal, double highestHz = 0.0,
                          std::string reason = {}) {
    OperatorOutcome outcome;
    outcome.refusal = refusal;
    outcome.highestCutOffHz = highestHz;
    outcome.reason = std::move(reason);
    return outcome;
}

struct MessageCase {
    const char* name;
    OperatorOutcome outcome;
    OperatorKind kind;
    int row;
    std::string text;
};

void PrintTo(const MessageCase& c, std::ostream* os) {
    *os << c.name;
}

class OutcomeMessage : public testing::TestWithParam<MessageCase> {};

// The texts the toolbox has always shown: the key's text, then "f = " with the operator's
// caption and "c = " with the row counted from 1, on lines of their own.
TEST_P(OutcomeMessage, ComposesTheToolboxText) {
    const MessageCase& c = GetParam();
    const std::optional<std::string> text = outcomeMessage(c.outcome, c.kind, c.row, KeyTexts{});
    ASSERT_TRUE(text) << c.name;
    EXPECT_EQ(*text, c.text) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, OutcomeMessage,
    testing::Values(
        MessageCase{"illegal unit", outcomeOf(OperatorRefusal::IllegalUnit), OperatorKind::Diff, 2,
                    "<toolbox.genIllegalUnit>\r\nf = <toolbox.diff>\r\nc = 3"},
        MessageCase{"illegal unit, first row", outcomeOf(OperatorRefusal::IllegalUnit),
                    OperatorKind::Integrate, 0,
                    "<toolbox.genIllegalUnit>\r\nf = <toolbox.integrate>\r\nc = 1"},
        MessageCase{"cut-off", outcomeOf(OperatorRefusal::UnusableCutOff, 511),
                    OperatorKind::HiPass, 0,
                    "<toolbox.badfrq> 1 - 511\r\nf = <toolbox.hiPass>\r\nc = 1"},
        MessageCase{"cut-off, last row", outcomeOf(OperatorRefusal::UnusableCutOff, 49),
                    OperatorKind::LowPass, 3,
                    "<toolbox.badfrq> 1 - 49\r\nf = <toolbox.lowPass>\r\nc = 4"},
        MessageCase{"weighting", outcomeOf(OperatorRefusal::WeightingRefused, 0, "too slow"),
                    OperatorKind::ComfortDin, 2, "too slow\r\nf = <toolbox.comfortDin>\r\nc = 3"},
        // No operator lines: the entry has no operator to name.
        MessageCase{"illegal operator", outcomeOf(OperatorRefusal::IllegalOperator),
                    OperatorKind::Illegal, 1, "<toolbox.illegalOperator>"}),
    [](const testing::TestParamInfo<MessageCase>& info) {
        std::string name;
        for (const char* c = info.param.name; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST(OutcomeMessage, AppliedOperatorSaysNothing) {
    EXPECT_FALSE(outcomeMessage(OperatorOutcome{}, OperatorKind::Integrate, 0, KeyTexts{}));
}

TEST(ResultantSkippedMessage, NamesTheGroup) {
    EXPECT_EQ(resultantSkippedMessage(12, KeyTexts{}),
              "<toolbox.resultantSkipped>\r\nf = <toolbox.resultant>\r\nN = 12");
}

}  // namespace
}  // namespace krnz::analysis
