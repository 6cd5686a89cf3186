// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "chain_test_support.h"
#include "core/analysis/apply_operator.h"
#include "core/analysis/unit_bookkeeping.h"
#include "support/param_name.h"

namespace krnz::analysis {
namespace {

using test::KeyTexts;
using test::RecordingReporter;

// From unit code to (new unit, factor), every other code refused.
const std::map<int, UnitChange> kIntegrated = {
    {2, {0, 1000}}, {4, {2, 1000}}, {6, {16, 1}}, {3, {18, 1}}, {5, {3, 386.09}}};
const std::map<int, UnitChange> kDifferentiated = {{2, {4, 0.001}}, {0, {2, 0.001}},
                                                   {1, {2, 1}},     {6, {17, 1}},
                                                   {18, {3, 1}},    {3, {5, 1 / 386.09}}};

class UnitTable : public testing::TestWithParam<int> {};

TEST_P(UnitTable, IntegrationAndDifferentiation) {
    const int unit = GetParam();
    for (const auto& [lookUp, table] : {std::pair{&integratedUnit, &kIntegrated},
                                        std::pair{&differentiatedUnit, &kDifferentiated}}) {
        const std::optional<UnitChange> change = lookUp(unit);
        const auto expected = table->find(unit);
        ASSERT_EQ(change.has_value(), expected != table->end()) << "unit " << unit;
        if (change) {
            EXPECT_EQ(change->unit, expected->second.unit);
            EXPECT_DOUBLE_EQ(change->factor, expected->second.factor);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllCodes, UnitTable, testing::Range(0, 21),
                         [](const auto& info) { return "unit" + std::to_string(info.param); });

TEST(ResultantUnit, CommonUnitOrUndef) {
    EXPECT_EQ(resultantUnit(std::vector{2, 2, 2}), 2);
    EXPECT_EQ(resultantUnit(std::vector{6, 6}), 6);
    EXPECT_EQ(resultantUnit(std::vector{2, 5}), 19);
    EXPECT_EQ(resultantUnit(std::vector{2, 2, 3}), 19);
}

TEST(GenIllegalUnit, NamesOperatorAndRow) {
    RecordingReporter reporter;
    genIllegalUnit(1, 2, KeyTexts{}, reporter);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], "<toolbox.genIllegalUnit>\r\nf = <toolbox.diff>\r\nc = 3");
}

// An event of 1024 samples at 1024 Hz whose rows hold a ramp i / 1024 in the given units.
Event rampEvent(const std::array<int, kSlots>& units) {
    Event event;
    SampleRecord& rec = event.sample;
    rec.nSamplesPerChannel = 1024;
    rec.nSecPerChannel = 1.0f;
    rec.frq = 1024;
    rec.sampleInterval = 1.0 / 1024;
    rec.sampleData = SampleMatrix(1024);
    for (int c = 0; c < kSlots; ++c) {
        rec.curUnit[c] = static_cast<std::int16_t>(units[c]);
        for (std::int32_t i = 0; i < 1024; ++i) rec.sampleData(c, i) = static_cast<float>(i) / 1024;
    }
    return event;
}

struct DispatchCase {
    std::string op;
    int unitBefore;
    bool rmsBefore;
    int unitAfter;
    bool rmsAfter;
    bool samplesChange;
    std::string message;  // empty: none
};

class Dispatch : public testing::TestWithParam<DispatchCase> {};

TEST_P(Dispatch, UnitRmsFlagSamplesAndMessage) {
    const DispatchCase c = GetParam();
    Event event = rampEvent({c.unitBefore, 2, 2, 2});
    event.sample.rmsFlag[0] = c.rmsBefore;
    const std::vector<float> before(event.sample.sampleData.row(0).begin(),
                                    event.sample.sampleData.row(0).end());
    RecordingReporter reporter;
    applyOperator(event, c.op, 0, KeyTexts{}, reporter);
    EXPECT_EQ(event.sample.curUnit[0], c.unitAfter);
    EXPECT_EQ(event.sample.rmsFlag[0], c.rmsAfter);
    const std::vector<float> after(event.sample.sampleData.row(0).begin(),
                                   event.sample.sampleData.row(0).end());
    EXPECT_EQ(after != before, c.samplesChange);
    if (c.message.empty()) {
        EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front();
    } else {
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0], c.message);
    }
    for (int r = 1; r < kSlots; ++r) EXPECT_EQ(event.sample.curUnit[r], 2);
}

const std::string kIllegalIntegrate =
    "<toolbox.genIllegalUnit>\r\nf = <toolbox.integrate>\r\nc = 1";
const std::string kIllegalDiff = "<toolbox.genIllegalUnit>\r\nf = <toolbox.diff>\r\nc = 1";

INSTANTIATE_TEST_SUITE_P(
    Table, Dispatch,
    testing::Values(
        DispatchCase{"0", 2, true, 0, false, true, ""},                   // mm/s -> um
        DispatchCase{"0", 0, false, 0, false, false, kIllegalIntegrate},  // um twice: refused
        DispatchCase{"0", 19, true, 19, true, false, kIllegalIntegrate},  // refusal keeps rms flag
        DispatchCase{"1", 0, false, 2, false, true, ""},                  // um -> mm/s
        DispatchCase{"1", 1, false, 2, false, true, ""},                  // mm -> mm/s
        DispatchCase{"1", 5, false, 5, false, false, kIllegalDiff},  // g has no derivative here
        DispatchCase{"2 80", 2, true, 2, false, true, ""},
        DispatchCase{"3 2", 6, false, 6, false, true, ""},
        DispatchCase{"4", 2, false, 2, true, true, ""},
        DispatchCase{"5", 4, false, 4, true, true, ""},
        DispatchCase{"7", 2, true, 2, false, true, ""},
        DispatchCase{"8", 2, false, 2, false, false, "<toolbox.illegalOperator>"},
        DispatchCase{"-1", 2, false, 2, false, false, "<toolbox.illegalOperator>"},
        DispatchCase{"x", 2, false, 2, false, false, "<toolbox.illegalOperator>"},
        DispatchCase{"", 2, false, 2, false, false, "<toolbox.illegalOperator>"},
        // Cut-offs the recursion cannot carry at 1024 Hz: refused with the usable range.
        DispatchCase{"3 0", 2, false, 2, false, false,
                     "<toolbox.badfrq> 1 - 511\r\nf = <toolbox.hiPass>\r\nc = 1"},
        DispatchCase{"3", 2, false, 2, false, false,
                     "<toolbox.badfrq> 1 - 511\r\nf = <toolbox.hiPass>\r\nc = 1"},
        DispatchCase{"2 512", 2, false, 2, false, false,
                     "<toolbox.badfrq> 1 - 511\r\nf = <toolbox.lowPass>\r\nc = 1"},
        // A resultant string needs two or three rows 0..3 and the closing blank.
        DispatchCase{"6 1 2 ", 5, false, 2, false, true, ""},
        DispatchCase{"6 1 4 ", 2, false, 2, false, false, "<toolbox.illegalOperator>"},
        DispatchCase{"6 1", 2, false, 2, false, false, "<toolbox.illegalOperator>"},
        DispatchCase{"6 s 3", 2, false, 2, false, false, "<toolbox.illegalOperator>"}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::numberedName(
            info.index,
            "op " + p.op + " unit " + std::to_string(p.unitBefore) + (p.rmsBefore ? " rms" : ""));
    });

TEST(ApplyOperator, IntegrationScalesByUnitFactor) {
    // Ramp i/1024 at dt = 1/1024: mean 1023/2048, and the first output is (0 - mean) dt k.
    Event event = rampEvent({5, 2, 2, 2});
    RecordingReporter reporter;
    applyOperator(event, "0", 0, KeyTexts{}, reporter);
    EXPECT_EQ(event.sample.curUnit[0], 3);
    EXPECT_FLOAT_EQ(event.sample.sampleData(0, 0),
                    static_cast<float>(-1023.0 / 2048 / 1024 * 386.09));
}

TEST(ApplyOperator, ResultantOfMixedUnitsCombinesAndIsUndef) {
    Event event = rampEvent({2, 5, 2, 2});
    RecordingReporter reporter;
    applyOperator(event, "6 0 1 ", 3, KeyTexts{}, reporter);
    EXPECT_EQ(event.sample.curUnit[3], 19);
    EXPECT_FLOAT_EQ(event.sample.sampleData(3, 512), static_cast<float>(std::sqrt(2.0) * 0.5));
}

TEST(ApplyOperator, WeightingTheRateCannotCarryIsReported) {
    Event event = rampEvent({2, 2, 2, 2});
    event.sample.frq = 12;
    RecordingReporter reporter;
    applyOperator(event, "4", 2, KeyTexts{}, reporter);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("\r\nf = <toolbox.comfortDin>\r\nc = 3"),
              std::string::npos);
    EXPECT_FALSE(event.sample.rmsFlag[2]);
    EXPECT_EQ(event.sample.sampleData(2, 5), 5.0f / 1024);
}

}  // namespace
}  // namespace krnz::analysis
