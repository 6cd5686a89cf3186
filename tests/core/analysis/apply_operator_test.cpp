// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/apply_operator.h"
#include "core/analysis/unit_bookkeeping.h"
#include "core/common/error.h"
#include "support/param_name.h"

namespace krnz::analysis {
namespace {

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

INSTANTIATE_TEST_SUITE_P(AllCodes, UnitTable, testing::Range(0, 21));

TEST(ResultantUnit, CommonUnitOrUndef) {
    EXPECT_EQ(resultantUnit(std::vector{2, 2, 2}), 2);
    EXPECT_EQ(resultantUnit(std::vector{6, 6}), 6);
    EXPECT_EQ(resultantUnit(std::vector{2, 5}), 19);
    EXPECT_EQ(resultantUnit(std::vector{2, 2, 3}), 19);
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

using Kind = OperatorKind;
using Refusal = OperatorRefusal;

struct DispatchCase {
    Operator op;
    int unitBefore;
    bool rmsBefore;
    int unitAfter;
    bool rmsAfter;
    bool samplesChange;
    Refusal refusal;
};

class Dispatch : public testing::TestWithParam<DispatchCase> {};

TEST_P(Dispatch, UnitRmsFlagSamplesAndOutcome) {
    const DispatchCase c = GetParam();
    Event event = rampEvent({c.unitBefore, 2, 2, 2});
    event.sample.rmsFlag[0] = c.rmsBefore;
    const std::vector<float> before(event.sample.sampleData.row(0).begin(),
                                    event.sample.sampleData.row(0).end());
    const OperatorOutcome outcome = applyOperator(event, c.op, 0);
    EXPECT_EQ(outcome.refusal, c.refusal);
    EXPECT_EQ(event.sample.curUnit[0], c.unitAfter);
    EXPECT_EQ(event.sample.rmsFlag[0], c.rmsAfter);
    const std::vector<float> after(event.sample.sampleData.row(0).begin(),
                                   event.sample.sampleData.row(0).end());
    EXPECT_EQ(after != before, c.samplesChange);
    for (int r = 1; r < kSlots; ++r) EXPECT_EQ(event.sample.curUnit[r], 2);
}

// Two rows worked at once come out as each row worked alone: outcome, unit, flag and every
// sample to the bit, the rows' samples kept apart.
TEST_P(Dispatch, PairGivesWhatEachRowGivesAlone) {
    const DispatchCase c = GetParam();
    for (const int frq : {1024, 12}) {  // at 12 Hz the weightings are refused
        Event alone = rampEvent({2, c.unitBefore, c.unitBefore, 2});
        alone.sample.frq = frq;
        for (std::int32_t i = 0; i < 1024; ++i)
            alone.sample.sampleData(2, i) = std::sin(0.37f * static_cast<float>(i)) * 3.0f;
        alone.sample.rmsFlag[1] = c.rmsBefore;
        Event paired = alone;
        const std::array<OperatorOutcome, 2> want = {applyOperator(alone, c.op, 1),
                                                     applyOperator(alone, c.op, 2)};
        const std::array<OperatorOutcome, 2> got = applyOperatorPair(paired, c.op, 1, 2);
        for (int k = 0; k < 2; ++k) {
            const int row = k + 1;
            SCOPED_TRACE("row " + std::to_string(row) + " at " + std::to_string(frq) + " Hz");
            EXPECT_EQ(got[k].refusal, want[k].refusal);
            EXPECT_EQ(got[k].reason, want[k].reason);
            EXPECT_EQ(got[k].highestCutOffHz, want[k].highestCutOffHz);
            EXPECT_EQ(paired.sample.curUnit[row], alone.sample.curUnit[row]);
            EXPECT_EQ(paired.sample.rmsFlag[row], alone.sample.rmsFlag[row]);
            const auto a = alone.sample.sampleData.row(row), p = paired.sample.sampleData.row(row);
            EXPECT_EQ(std::memcmp(a.data(), p.data(), a.size_bytes()), 0) << "samples differ";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Dispatch,
    testing::Values(
        DispatchCase{plainOperator(Kind::Integrate), 2, true, 0, false, true,
                     Refusal::None},  // mm/s -> um
        DispatchCase{plainOperator(Kind::Integrate), 0, false, 0, false, false,
                     Refusal::IllegalUnit},  // um twice: refused
        DispatchCase{plainOperator(Kind::Integrate), 19, true, 19, true, false,
                     Refusal::IllegalUnit},  // refusal keeps rms flag
        DispatchCase{plainOperator(Kind::Diff), 0, false, 2, false, true, Refusal::None},  // um
        DispatchCase{plainOperator(Kind::Diff), 1, false, 2, false, true, Refusal::None},  // mm
        DispatchCase{plainOperator(Kind::Diff), 5, false, 5, false, false,
                     Refusal::IllegalUnit},  // g has no derivative here
        DispatchCase{filterOperator(Kind::LowPass, 80), 2, true, 2, false, true, Refusal::None},
        DispatchCase{filterOperator(Kind::HiPass, 2), 6, false, 6, false, true, Refusal::None},
        DispatchCase{plainOperator(Kind::ComfortDin), 2, false, 2, true, true, Refusal::None},
        DispatchCase{plainOperator(Kind::ComfortScand), 4, false, 4, true, true, Refusal::None},
        DispatchCase{plainOperator(Kind::SwedishStandard), 2, true, 2, false, true, Refusal::None},
        DispatchCase{plainOperator(Kind::Illegal), 2, false, 2, false, false,
                     Refusal::IllegalOperator},
        // A resultant entry runs only with its group.
        DispatchCase{resultantOperator(ResultantRole::Source, 3), 2, false, 2, false, false,
                     Refusal::IllegalOperator},
        // Cut-offs the recursion cannot carry at 1024 Hz.
        DispatchCase{filterOperator(Kind::HiPass, 0), 2, false, 2, false, false,
                     Refusal::UnusableCutOff},
        DispatchCase{filterOperator(Kind::LowPass, 512), 2, false, 2, false, false,
                     Refusal::UnusableCutOff},
        DispatchCase{filterOperator(Kind::LowPass, -3), 2, false, 2, false, false,
                     Refusal::UnusableCutOff}),
    [](const testing::TestParamInfo<DispatchCase>& info) {
        const DispatchCase& c = info.param;
        return test::numberedName(info.index, "op" + std::to_string(static_cast<int>(c.op.kind)) +
                                                  " " + test::numberText(c.op.cutOffHz) +
                                                  "Hz unit" + std::to_string(c.unitBefore));
    });

TEST(ApplyOperator, UnusableCutOffNamesTheHighestWholeFrequency) {
    // Half of 1024 Hz is 512 Hz, which is itself refused: 511 Hz is the highest usable one.
    Event event = rampEvent({2, 2, 2, 2});
    EXPECT_EQ(applyOperator(event, filterOperator(Kind::LowPass, 512), 0).highestCutOffHz, 511.0);
    EXPECT_TRUE(applyOperator(event, filterOperator(Kind::LowPass, 511), 0).applied());
    // At 1000 Hz, 500 Hz is half the rate: 499 Hz.
    event.sample.nSamplesPerChannel = 1000;
    event.sample.nSecPerChannel = 1.0f;
    EXPECT_EQ(applyOperator(event, filterOperator(Kind::HiPass, 0), 1).highestCutOffHz, 499.0);
}

TEST(ApplyOperator, IntegrationScalesByUnitFactor) {
    // Ramp i/1024 at dt = 1/1024: mean 1023/2048, and the first output is (0 - mean) dt k.
    Event event = rampEvent({5, 2, 2, 2});
    EXPECT_TRUE(applyOperator(event, plainOperator(Kind::Integrate), 0).applied());
    EXPECT_EQ(event.sample.curUnit[0], 3);
    EXPECT_FLOAT_EQ(event.sample.sampleData(0, 0),
                    static_cast<float>(-1023.0 / 2048 / 1024 * 386.09));
}

TEST(ApplyResultant, MixedUnitsCombineAndAreUndef) {
    Event event = rampEvent({2, 5, 2, 2});
    applyResultant(event, std::vector{0, 1}, 3);
    EXPECT_EQ(event.sample.curUnit[3], 19);
    EXPECT_FLOAT_EQ(event.sample.sampleData(3, 512), static_cast<float>(std::sqrt(2.0) * 0.5));
}

TEST(ApplyResultant, NeedsTwoOrThreeSourceRows) {
    Event event = rampEvent({2, 2, 2, 2});
    EXPECT_THROW(applyResultant(event, std::vector{0}, 3), Error);
    EXPECT_THROW(applyResultant(event, std::vector{0, 1, 2, 3}, 3), Error);
    EXPECT_THROW(applyResultant(event, std::vector{0, 4}, 3), Error);
    EXPECT_EQ(event.sample.sampleData(3, 5), 5.0f / 1024);
}

TEST(ApplyOperator, WeightingTheRateCannotCarryIsRefusedWithItsReason) {
    Event event = rampEvent({2, 2, 2, 2});
    event.sample.frq = 12;
    const OperatorOutcome outcome = applyOperator(event, plainOperator(Kind::ComfortDin), 2);
    EXPECT_EQ(outcome.refusal, Refusal::WeightingRefused);
    // 5.6 Hz needs 2 pi 5.6 / 2 = 17.6 Hz, more than the 12 Hz here.
    EXPECT_NE(outcome.reason.find("5.6 Hz"), std::string::npos) << outcome.reason;
    EXPECT_FALSE(event.sample.rmsFlag[2]);
    EXPECT_EQ(event.sample.sampleData(2, 5), 5.0f / 1024);
}

}  // namespace
}  // namespace krnz::analysis
