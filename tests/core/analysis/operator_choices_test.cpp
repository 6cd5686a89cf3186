// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "chain_test_support.h"
#include "core/analysis/operator_choices.h"
#include "support/param_name.h"

namespace krnz::analysis {
namespace {

using test::KeyTexts;
using test::RecordingReporter;

struct FrequencyCase {
    std::string text;
    std::optional<int> chosen;
};

class FrequencyChoice : public testing::TestWithParam<FrequencyCase> {};

TEST_P(FrequencyChoice, AcceptsOneTo500Hz) {
    RecordingReporter reporter;
    EXPECT_EQ(frequencyChoice(GetParam().text, KeyTexts{}, reporter), GetParam().chosen)
        << GetParam().text;
    if (GetParam().chosen) {
        EXPECT_TRUE(reporter.messages.empty());
    } else {
        EXPECT_EQ(reporter.messages, std::vector<std::string>{"<toolbox.badfrq> 1 - 500"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrequencyChoice,
    testing::Values(FrequencyCase{"80", 80}, FrequencyCase{"1", 1}, FrequencyCase{"500", 500},
                    FrequencyCase{"0.5", std::nullopt},  // rounds half to even: 0
                    FrequencyCase{"1.5", 2}, FrequencyCase{"500.5", 500},
                    FrequencyCase{"501", std::nullopt}, FrequencyCase{"0", std::nullopt},
                    FrequencyCase{"-80", std::nullopt}, FrequencyCase{"abc", std::nullopt},
                    FrequencyCase{"", std::nullopt}, FrequencyCase{"120Hz", 120},
                    FrequencyCase{"1e30", std::nullopt}),
    [](const auto& info) { return test::nameOf(info.param.text); });

struct ResultantCase {
    std::array<bool, kSlots> checked;
    bool accepted;
};

class ResultantChoiceCheck : public testing::TestWithParam<ResultantCase> {};

TEST_P(ResultantChoiceCheck, NeedsTwoOrThreeSources) {
    RecordingReporter reporter;
    const std::optional<ResultantChoice> choice =
        resultantChoice(GetParam().checked, 3, KeyTexts{}, reporter);
    ASSERT_EQ(choice.has_value(), GetParam().accepted);
    if (choice) {
        EXPECT_EQ(choice->source, GetParam().checked);
        EXPECT_EQ(choice->destinationChannel, 3);
        EXPECT_TRUE(reporter.messages.empty());
    } else {
        EXPECT_EQ(reporter.messages, std::vector<std::string>{"<toolbox.selectNchannels>!"});
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ResultantChoiceCheck,
                         testing::Values(ResultantCase{{false, false, false, false}, false},
                                         ResultantCase{{false, true, false, false}, false},
                                         ResultantCase{{true, false, false, true}, true},
                                         ResultantCase{{true, true, true, false}, true},
                                         ResultantCase{{true, true, true, true}, false}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             std::string name = "checked";
                             for (const bool on : p.checked) name += on ? "1" : "0";
                             return name;
                         });

}  // namespace
}  // namespace krnz::analysis
