// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/verdict.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/event/units.h"
#include "core/settings/text_lookup.h"
#include "support/event_builder.h"

namespace krnz::report {
namespace {

PpvzxStandard standardOf(bool xLog, bool yLog, std::vector<LimitLine> lines) {
    PpvzxStandard s;
    s.name = "Test";
    s.xLog = xLog;
    s.yLog = yLog;
    s.lines = std::move(lines);
    return s;
}

TEST(LimitLine, InterpolatesOnTheStandardsOwnAxes) {
    const LimitLine line{{1, 100}, {10, 1000}};
    // The geometric middle on log-log axes, the arithmetic one on linear axes.
    EXPECT_NEAR(*limitAt(standardOf(true, true, {line}), line, 10), 100, 1e-9);
    EXPECT_NEAR(*limitAt(standardOf(false, false, {line}), line, 50.5), 505, 1e-9);
    // Log frequency, linear velocity: half way on the frequency axis is half way up.
    EXPECT_NEAR(*limitAt(standardOf(true, false, {line}), line, 10), 505, 1e-9);
    // Linear frequency, log velocity.
    EXPECT_NEAR(*limitAt(standardOf(false, true, {line}), line, 50.5), 100, 1e-9);
}

TEST(LimitLine, HoldsTheEndValuesOutsideTheVertices) {
    const LimitLine line{{4, 15, 40}, {15, 20, 50}};
    const PpvzxStandard s = standardOf(true, true, {line});
    EXPECT_EQ(limitAt(s, line, 0.5), 15);
    EXPECT_EQ(limitAt(s, line, 4), 15);
    EXPECT_EQ(limitAt(s, line, 40), 50);
    EXPECT_EQ(limitAt(s, line, 1e6), 50);
    // On an inner vertex the vertex's own value, not a rounded interpolation.
    EXPECT_EQ(limitAt(s, line, 15), 20);
    EXPECT_GT(*limitAt(s, line, 15.001), 20);
    EXPECT_LT(*limitAt(s, line, 14.999), 20);
}

TEST(LimitLine, NoLimitWithoutVerticesOrOnALogAxisAtZero) {
    const LimitLine empty;
    EXPECT_EQ(limitAt(standardOf(true, true, {empty}), empty, 10), std::nullopt);
    const LimitLine zero{{1, 10}, {0, 10}};
    EXPECT_EQ(limitAt(standardOf(true, true, {zero}), zero, 5), std::nullopt);
    EXPECT_EQ(limitAt(standardOf(true, true, {zero}), zero, 0.5), std::nullopt);
    EXPECT_NEAR(*limitAt(standardOf(true, false, {zero}), zero, std::sqrt(10.0)), 5, 1e-12);
}

TEST(ChannelVerdict, TheLargestRatioWinsAndTheEarliestOnATie) {
    const LimitLine flat{{1, 100}, {10, 10}};
    const LimitLine rising{{1, 100}, {1, 100}};
    const PpvzxStandard s = standardOf(false, false, {flat, rising});
    // Ratios against the flat line: 0.5, 0.8, 0.8, 0.3.
    const ChannelVerdict v = judgeChannel(s, 2, true, {5, 8, 8, 3}, {10, 20, 5, 90});
    ASSERT_EQ(v.lines.size(), 2u);
    EXPECT_EQ(v.slot, 2);
    EXPECT_DOUBLE_EQ(*v.lines[0].worstRatio, 0.8);
    EXPECT_EQ(v.lines[0].frequency, 20);
    EXPECT_EQ(v.lines[0].amplitude, 8);
    EXPECT_EQ(v.lines[0].limit, 10);
    EXPECT_FALSE(v.lines[0].exceeds);
    // Against the rising line the 5 Hz half-wave fares worst: 8 / 5.
    EXPECT_EQ(v.lines[1].line, 1);
    EXPECT_DOUBLE_EQ(*v.lines[1].worstRatio, 8.0 / 5.0);
    EXPECT_EQ(v.lines[1].frequency, 5);
    EXPECT_TRUE(v.lines[1].exceeds);
    EXPECT_TRUE(v.exceeds());
    EXPECT_DOUBLE_EQ(*v.worstRatio(), 8.0 / 5.0);
}

TEST(ChannelVerdict, ARatioOfExactlyOneIsNoExceedance) {
    const LimitLine flat{{1, 100}, {10, 10}};
    const ChannelVerdict v = judgeChannel(standardOf(true, true, {flat}), 0, true, {10}, {30});
    EXPECT_EQ(v.lines[0].worstRatio, 1.0);
    EXPECT_FALSE(v.lines[0].exceeds);
}

TEST(ChannelVerdict, PaddingAndUnplottableChannelsAreNotJudged) {
    const LimitLine flat{{1, 100}, {10, 10}};
    const PpvzxStandard s = standardOf(true, true, {flat});
    // A zero amplitude or frequency marks an unused place of the list.
    const ChannelVerdict padded = judgeChannel(s, 0, true, {50, 0, 3}, {0, 20, 20});
    EXPECT_DOUBLE_EQ(*padded.lines[0].worstRatio, 0.3);
    const ChannelVerdict none = judgeChannel(s, 0, true, {0, 0}, {0, 0});
    EXPECT_EQ(none.lines[0].worstRatio, std::nullopt);
    EXPECT_EQ(none.lines[0].limit, std::nullopt);
    EXPECT_FALSE(none.exceeds());
    const ChannelVerdict pressure = judgeChannel(s, 3, false, {500}, {20});
    EXPECT_FALSE(pressure.plottable);
    EXPECT_EQ(pressure.lines[0].worstRatio, std::nullopt);
    EXPECT_FALSE(pressure.exceeds());
}

// Eight whole half-waves of 1 mm/s at 10 Hz (1 kHz sampling), with a half-wave of `big`.
Event eventWithBigHalfWave(float big) {
    std::vector<float> row;
    for (int k = 0; k < 10; ++k)
        for (int i = 0; i < 100; ++i) {
            const float s = static_cast<float>(std::sin(M_PI * (i + 0.5) / 100.0));
            row.push_back((k % 2 ? -1.0f : 1.0f) * (k == 5 ? big : 1.0f) * s);
        }
    return test::makeEvent({row, row, row, row});
}

TEST(EventVerdict, EveryHalfWaveOfEveryPlottableSlotInTheDiagramsUnits) {
    Event e = eventWithBigHalfWave(12.0f);
    e.channels[1].unit = kUnitIps;  // the diagram shows inches per second in mm/s
    e.channels[3].unit = kUnitPa;
    const LimitLine flat{{1, 100}, {10, 10}};
    const Verdict v = judgeEvent(e, false, standardOf(true, true, {flat}));
    EXPECT_EQ(v.standard, "Test");
    ASSERT_TRUE(v.channels[0].lines[0].worstRatio);
    EXPECT_NEAR(*v.channels[0].lines[0].worstRatio, 1.2, 1e-3);
    EXPECT_NEAR(*v.channels[0].lines[0].frequency, 5.0, 0.1);
    EXPECT_NEAR(*v.channels[1].lines[0].worstRatio, 1.2 * 25.4, 1e-2);
    EXPECT_FALSE(v.channels[3].plottable);
    EXPECT_TRUE(v.exceeds());
}

TEST(EventVerdict, AProcessedEventIsJudgedInTheChainsUnits) {
    Event e = eventWithBigHalfWave(0.5f);
    for (int c = 0; c < kSlots; ++c) e.sample.curUnit[c] = kUnitMicrometre;
    e.sample.curUnit[2] = kUnitMmPerS;
    const LimitLine flat{{1, 100}, {10, 10}};
    const Verdict processed = judgeEvent(e, true, standardOf(true, true, {flat}));
    EXPECT_FALSE(processed.channels[0].plottable);
    EXPECT_TRUE(processed.channels[2].plottable);
    EXPECT_TRUE(judgeEvent(e, false, standardOf(true, true, {flat})).channels[0].plottable);
}

TEST(VerdictMethod, NamesTheStandardAndTheInterpolation) {
    const std::string logLog = verdictMethod(standardOf(true, true, {}), builtinEnglish());
    EXPECT_EQ(logLog.rfind("Test: each half-wave's peak against the limit at its zero-crossing "
                           "frequency",
                           0),
              0u);
    EXPECT_NE(logLog.find("interpolated log-log"), std::string::npos);
    EXPECT_NE(
        verdictMethod(standardOf(false, false, {}), builtinEnglish()).find("interpolated linearly"),
        std::string::npos);
    EXPECT_NE(verdictMethod(standardOf(true, false, {}), builtinEnglish())
                  .find("log frequency and a linear velocity"),
              std::string::npos);
}

TEST(DefaultStandard, TheStoredOneElseTheFirst) {
    PpvzxTable table;
    table.standards = {standardOf(true, true, {}), standardOf(true, true, {})};
    table.standards[1].name = "DIN";
    EXPECT_EQ(defaultStandard(table, "DIN"), 1);
    EXPECT_EQ(defaultStandard(table, "gone"), 0);
    EXPECT_EQ(defaultStandard(PpvzxTable{}, "DIN"), -1);
}

}  // namespace
}  // namespace krnz::report
