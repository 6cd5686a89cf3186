// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/measurements.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/event_builder.h"

namespace krnz {
namespace {

using test::makeEvent;

TEST(PeakScan, EarliestSampleKeepsTheTitle) {
    Event e = makeEvent({{1, 3, -2, 3, -2}, {5, 5, 5}, {-1, -4, 2, -4}});
    const SampleRecord& r = e.sample;
    EXPECT_EQ(r.chMax[0], 3.0f);
    EXPECT_EQ(r.chMaxIndex[0], 1);
    EXPECT_EQ(r.chMinIndex[0], 2);
    EXPECT_EQ(r.chMaxIndex[1], 0);  // all equal up to the padding zeros
    EXPECT_EQ(r.chMinIndex[1], 3);
    EXPECT_EQ(r.chMinIndex[2], 1);
    EXPECT_EQ(r.allMax, 5.0f);
    EXPECT_EQ(r.allMin, -4.0f);
    EXPECT_EQ(peakValue(r, 2), 4.0);
}

TEST(VectorMax, LargestSumOfSquaresEarliestFirst) {
    Event e = makeEvent({{0, 3, 0, 0, 4}, {0, 4, 0, 0, 3}, {0, 0, 0, 0, 0}, {100, 100, 100}});
    e.sample.pretrig = 0.002;
    EXPECT_DOUBLE_EQ(calcVectorMax(e.sample), 5.0);
    EXPECT_DOUBLE_EQ(e.sample.vectorMaxTime, 1 * 0.001 - 0.002);  // slot 3 takes no part
}

TEST(DiffPeak, MeanOfCentralDifferences) {
    // A ramp of slope 2 per sample at 1 ms: 2000 mm/s per s, shown in m/s2.
    std::vector<float> ramp;
    for (int i = 0; i < 50; ++i) ramp.push_back(2.0f * i);
    Event e = makeEvent({ramp, {0, 0, 0, 8, 8, 8, 8}});
    EXPECT_NEAR(diffPeak(e, 0), 2.0, 1e-12);
    // A step seen by two windows: (8 + 0 - 0 - 0) / (4 dt), then (8 + 8 - 0 - 0) / (4 dt).
    EXPECT_NEAR(diffPeak(e, 1), 16.0 / 0.004 / 1000.0, 1e-12);
    Event shortRecord = makeEvent({{1, 2, 3}});
    EXPECT_EQ(diffPeak(shortRecord, 0), 0.0);  // fewer than four samples: no estimate
}

TEST(IntegPeak, RunningSumAroundTheMean) {
    // Mean 0: the running sum peaks at 3 after the first three samples.
    Event e = makeEvent({{1, 1, 1, -1, -1, -1}, {7, 7, 7, 7, 7, 7}});
    EXPECT_NEAR(integPeak(e, 0), 3 * 0.001 * 1000.0, 1e-12);  // mm/s * s -> µm
    EXPECT_EQ(integPeak(e, 1), 0.0);                          // a constant has nothing to integrate
}

// Frequency from a sine of f Hz with the peak in a complete half period.
TEST(PeakMaxFrq, SineFrequencyFromItsHalfPeriod) {
    for (const double f : {5.0, 12.5, 40.0, 80.0}) {
        std::vector<float> x;
        for (int i = 0; i < 2000; ++i)
            x.push_back(static_cast<float>(std::sin(2 * 3.141592653589793 * f * i / 2000.0 + 0.3) *
                                           (i > 700 && i < 900 ? 2.0 : 1.0)));
        Event e = makeEvent({x}, 1.0 / 2000.0);
        EXPECT_NEAR(peakMaxFrq(e.sample, 0), f, f * 0.01) << f;
    }
}

TEST(PeakMaxFrq, EdgesOfTheWalk) {
    // All equal: peak at 0, the walks stop at both ends and still interpolate there.
    Event flat = makeEvent({{2, 2, 2, 2, 2}});
    EXPECT_DOUBLE_EQ(peakMaxFrq(flat.sample, 0), 500.0 / ((4 - 2.0 / 4) - (0 + 2.0 / 4)));

    // No sign change before the peak: start 0, interpolated between samples 0 and 1.
    Event early = makeEvent({{1, 3, 5, -1, -1}});
    const double t1 = 0 + 1.0 / (1 + 3), t2 = 3 - 1.0 / (5 + 1);
    EXPECT_DOUBLE_EQ(peakMaxFrq(early.sample, 0), 500.0 / (t2 - t1));

    // A zero next to the half-wave is the crossing itself.
    Event zero = makeEvent({{-1, 0, 4, 6, 0, -2}});
    EXPECT_DOUBLE_EQ(peakMaxFrq(zero.sample, 0), 500.0 / (4 - 1));

    // Equal magnitudes: the negative peak's half-wave counts.
    Event tie = makeEvent({{0, 5, 5, 0, -5, 0}});
    EXPECT_DOUBLE_EQ(peakMaxFrq(tie.sample, 0), 500.0 / (5 - 3));

    Event single = makeEvent({{3}});
    EXPECT_DOUBLE_EQ(peakMaxFrq(single.sample, 0), 500.0);  // a zero-length half period
}

// A peak on the first or last sample whose neighbour has the other sign puts both crossings
// between the same two samples. Interpolated, their difference is rounding residue (these rows
// gave -1.8e19 Hz and 9.0e18 Hz); it is a half period of zero length.
TEST(PeakMaxFrq, PeakOnTheRecordsEdgeNextToASignChange) {
    const std::vector<std::vector<float>> rows = {
        {5, -25}, {3, -7}, {-25, 5}, {-7, 3, 1, 2}, {1, 2, 1, -9}, {0.1f, -0.3f}, {2, 2}};
    for (const auto& row : rows) {
        const Event e = makeEvent({row});
        EXPECT_EQ(peakMaxFrq(e.sample, 0), 500.0) << row.front() << " ... " << row.back();
    }
    // One sample further in, the half period has a length again.
    const Event inner = makeEvent({{1, -9, 2}});
    EXPECT_DOUBLE_EQ(peakMaxFrq(inner.sample, 0), 500.0 / ((2 - 2.0 / 11) - (0 + 1.0 / 10)));
}

TEST(ZeroCrossFrq, InterpolatedCrossings) {
    Event e = makeEvent({{-1, 3, 3, -3}});
    // t1 = 0 + 1/(1+3), t2 = 3 - 3/(3+3)
    EXPECT_DOUBLE_EQ(zeroCrossFrq(e.sample, 0, 0, 3), 500.0 / (2.5 - 0.25));
}

TEST(HalfWaves, EveryCompleteHalfWave) {
    // The first run (it may have begun before the record) and the last (cut off) never count.
    Event e = makeEvent({{1, -2, -3, 0, 0, 4, 1, -1, 2}});
    calchighamps(e, 0, std::nullopt);
    const auto& amps = e.sample.highAmps[0];
    ASSERT_EQ(amps.size(), 3u);
    EXPECT_EQ(amps[0], 3.0);
    EXPECT_EQ(amps[1], 4.0);
    EXPECT_EQ(amps[2], 1.0);
    const auto& frqs = e.sample.highAmpFrqs[0];
    EXPECT_DOUBLE_EQ(frqs[0], 500.0 / ((3 - 0) - (0 + 1.0 / 3)));  // zero at 3 ends it exactly
    EXPECT_DOUBLE_EQ(frqs[1], 500.0 / ((7 - 1.0 / 2) - 4));        // zero at 4 starts it exactly
}

TEST(HalfWaves, NumberedListKeepsTheLargest) {
    // Alternating half-waves of magnitude 1..9, then a cut-off one.
    std::vector<float> x = {0.5f};
    for (int k = 1; k <= 9; ++k) x.push_back(static_cast<float>(k % 2 ? -k : k));
    x.push_back(100.0f);
    Event e = makeEvent({x});
    calchighamps(e, 0, 4);
    std::vector<double> amps = e.sample.highAmps[0];
    ASSERT_EQ(amps.size(), 4u);
    std::sort(amps.begin(), amps.end());
    EXPECT_EQ(amps, (std::vector<double>{6, 7, 8, 9}));

    calchighamps(e, 0, 16);  // fewer half-waves than places: the rest stay 0
    EXPECT_EQ(std::count(e.sample.highAmps[0].begin(), e.sample.highAmps[0].end(), 0.0), 16 - 9);
}

TEST(HalfWaves, InchesShownInMillimetres) {
    Event e = makeEvent({{1, -2, 3, -1}});
    e.channels[0].unit = kUnitIps;
    calchighamps(e, 0, std::nullopt);
    ASSERT_EQ(e.sample.highAmps[0].size(), 2u);
    EXPECT_DOUBLE_EQ(e.sample.highAmps[0][0], 2 * 25.4);
    EXPECT_DOUBLE_EQ(e.sample.highAmpFrqs[0][0], 500.0 / ((2 - 3.0 / 5) - (0 + 1.0 / 3)));
}

TEST(PressureLevel, ReferenceTwentyMicropascal) {
    struct Row {
        double value;
        int unit;
        const char* text;
    };
    const Row rows[] = {{1.0, kUnitPa, "94"},   {20.0, kUnitPa, "120"},  {0.2, 7, "140"},
                        {1.0, kUnitPsi, "171"}, {0.0, kUnitPa, "undef"}, {-2.0, kUnitPa, "100"},
                        {0.00002, kUnitPa, "0"}};
    for (const Row& row : rows) EXPECT_EQ(pressureDb(row.value, row.unit), row.text) << row.value;
    EXPECT_FALSE(pressureLevelDb(0.0, kUnitPa).has_value());
}

}  // namespace
}  // namespace krnz
