// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/fft_graphs.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "core/common/error.h"
#include "core/spectrum/data_window.h"
#include "support/event_builder.h"

namespace krnz::spectrum {
namespace {

using test::sine;
using test::syntheticEvent;

constexpr std::int32_t kN = 256;
constexpr double kDt = 0.001;
constexpr double kLine10Hz = 10 * 1000.0 / kN;

// Sines on line 10 with these amplitudes; as RMS spectra they peak at amplitude / sqrt(2).
Event sinesOnLine10(const std::array<double, kSlots>& amplitudes,
                    const std::array<std::uint8_t, kSlots>& units) {
    return syntheticEvent(kN, kDt, units, [&](int c, std::int32_t i) {
        return sine(amplitudes[static_cast<std::size_t>(c)], 10, kN, i);
    });
}

SpectrumResult rmsGraphs(const Event& event, SpectrumParams params) {
    params.windowType = kWindowRect;
    params.spectrumType = kSpectrumFft;
    return repaintSpectra(event, {0, kN - 1}, params);
}

constexpr std::array<std::uint8_t, kSlots> kTwoVelocitiesPaVelocity{kUnitMmPerS, kUnitMmPerS,
                                                                    kUnitPa, kUnitMmPerS};
// RMS peaks 0.707, 2.12, 7.07 and 0.141.
constexpr std::array<double, kSlots> kAmplitudes{1.0, 3.0, 10.0, 0.2};

struct NormalizeCase {
    const char* name;
    std::array<bool, kSlots> normalize;
    std::array<double, kSlots> tops;
};

class SharedMaxima : public testing::TestWithParam<NormalizeCase> {};

// Ticked channels of one unit share the larger maximum; a channel in another unit keeps its own,
// and an unticked channel still takes the maximum of the ticked ones in its unit.
TEST_P(SharedMaxima, TopsFollowTheUnitGroups) {
    const NormalizeCase& c = GetParam();
    SpectrumParams params;
    params.normalize = c.normalize;
    const SpectrumResult result =
        rmsGraphs(sinesOnLine10(kAmplitudes, kTwoVelocitiesPaVelocity), params);
    for (std::size_t g = 0; g < kSlots; ++g) {
        EXPECT_EQ(result.graphs[g].top, c.tops[g]) << c.name << " graph " << g;
        EXPECT_EQ(result.graphs[g].bottom, 0.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SharedMaxima,
    testing::Values(
        NormalizeCase{"none", {false, false, false, false}, {1, 5, 10, 0.2}},
        NormalizeCase{"velocities and Pa", {true, true, true, false}, {5, 5, 10, 5}},
        NormalizeCase{"Pa alone", {false, false, true, false}, {1, 5, 10, 0.2}},
        NormalizeCase{"small velocity only", {false, false, false, true}, {1, 5, 10, 0.2}},
        NormalizeCase{"first velocity only", {true, false, false, false}, {1, 5, 10, 1}}),
    [](const testing::TestParamInfo<NormalizeCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (ch == ' ') ch = '_';
        }
        return name;
    });

TEST(SpectrumGraphsTest, GroupMaximumHasAFloor) {
    const Event event = sinesOnLine10({0.001, 0.001, 0.001, 0.001}, kTwoVelocitiesPaVelocity);
    const SpectrumRun run = computeSpectra(event.sample, {0, kN - 1}, kWindowRect, kSpectrumFft);
    EXPECT_EQ(groupMaxima(run, event.channels, {true, true, true, true}),
              (std::array<double, kSlots>{0.01, 0.01, 0.01, 0.01}));
}

// No magnitude above 0: every logarithm is 0 (1 unit), and the axis spans the two decades
// below 1.
TEST(SpectrumGraphsTest, LogYWithAllMagnitudesAtMostZero) {
    const Event silent = sinesOnLine10({0, 0, 0, 0}, kTwoVelocitiesPaVelocity);
    for (const bool normalize : {false, true}) {
        SpectrumParams params;
        params.logy = true;
        params.normalize.fill(normalize);
        const SpectrumResult result = rmsGraphs(silent, params);
        for (const GraphSetup& graph : result.graphs) {
            EXPECT_EQ(graph.y, std::vector<double>(kN / 2, 0.0));
            EXPECT_EQ(graph.yAtMostZero, std::vector<bool>(kN / 2, true));
            EXPECT_NEAR(graph.top, 0.0, 1e-15);
            EXPECT_NEAR(graph.bottom, -2.0, 1e-15);
            EXPECT_TRUE(graph.yIsLog);
            EXPECT_EQ(graph.maxAmpFreq, 0.0);
        }
    }
}

// On a logarithmic axis the shared maximum is compared as a logarithm: the axis ends one 1-2-5
// step above the largest curve of the group, not at 10^(linear maximum).
TEST(SpectrumGraphsTest, LogYWithNormalizeStaysAtTheCurves) {
    SpectrumParams params;
    params.logy = true;
    params.normalize = {true, true, true, false};
    const SpectrumResult result =
        rmsGraphs(sinesOnLine10(kAmplitudes, kTwoVelocitiesPaVelocity), params);
    const std::array<double, kSlots> tops{5, 5, 10, 5};
    for (std::size_t g = 0; g < kSlots; ++g) {
        EXPECT_NEAR(result.graphs[g].top, std::log10(tops[g]), 1e-12) << "graph " << g;
        EXPECT_NEAR(result.graphs[g].bottom, result.graphs[g].top - 2, 1e-15);
        EXPECT_NEAR(result.graphs[g].y[10], std::log10(kAmplitudes[g] / std::sqrt(2.0)), 1e-6);
        // The line at DC is suppressed to 0: drawn on the bottom edge, not at its stand-in 1.
        ASSERT_EQ(result.run.values[g][0], 0.0);
        EXPECT_TRUE(result.graphs[g].yAtMostZero[0]);
        EXPECT_EQ(drawnY(result.graphs[g], 0), result.graphs[g].bottom);
        EXPECT_FALSE(result.graphs[g].yAtMostZero[10]);
        EXPECT_EQ(drawnY(result.graphs[g], 10), result.graphs[g].y[10]);
    }
}

// A peak below 1 unit has a negative logarithm; the heading still names its frequency.
TEST(SpectrumGraphsTest, MaxAmpFreqIgnoresTheLogarithms) {
    SpectrumParams params;
    params.logx = true;
    params.logy = true;
    const SpectrumResult result =
        rmsGraphs(sinesOnLine10({0.1, 0.5, 1.0, 20.0}, kTwoVelocitiesPaVelocity), params);
    for (const GraphSetup& graph : result.graphs) EXPECT_DOUBLE_EQ(graph.maxAmpFreq, kLine10Hz);
}

TEST(SpectrumGraphsTest, LogXTakesLogarithmsOfFrequenciesAndRange) {
    SpectrumParams params;
    params.logx = true;
    params.maxFrq = {500, 200, 100, 20};
    const SpectrumResult result =
        rmsGraphs(sinesOnLine10(kAmplitudes, kTwoVelocitiesPaVelocity), params);
    for (std::size_t g = 0; g < kSlots; ++g) {
        const GraphSetup& graph = result.graphs[g];
        EXPECT_EQ(graph.left, 0.0);
        EXPECT_NEAR(graph.right, std::log10(params.maxFrq[g]), 1e-12);
        EXPECT_EQ(graph.x[0], 0.0);  // 0 Hz has no logarithm
        EXPECT_NEAR(graph.x[10], std::log10(kLine10Hz), 1e-12);
        EXPECT_TRUE(graph.xIsLog);
        EXPECT_FALSE(graph.yIsLog);
        ASSERT_EQ(graph.xLabels.size(), 20u);
        EXPECT_EQ(graph.xLabels.front(), 0.0001);
        EXPECT_EQ(graph.xLabels.back(), 1e15);
        EXPECT_EQ(graph.ch, static_cast<int>(g));
    }
}

TEST(SpectrumGraphsTest, LinearAxesHaveSixEvenTicks) {
    SpectrumParams params;
    params.maxFrq = {200, 500, 50, 20};
    const SpectrumResult result =
        rmsGraphs(sinesOnLine10(kAmplitudes, kTwoVelocitiesPaVelocity), params);
    EXPECT_EQ(result.graphs[0].xLabels, (std::vector<double>{0, 40, 80, 120, 160, 200}));
    EXPECT_EQ(result.graphs[2].yLabels, (std::vector<double>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(result.graphs[3].xLabels.size(), 6u);
    EXPECT_EQ(result.graphs[3].xLabels.back(), 20.0);
    // The curve stays linear and complete, beyond the axis too.
    EXPECT_EQ(result.graphs[3].x, result.run.freqs);
    EXPECT_EQ(result.graphs[3].y, result.run.values[3]);
    EXPECT_TRUE(result.graphs[3].yAtMostZero.empty());
}

TEST(SpectrumGraphsTest, ManualScaleReplacesTheAutomaticTop) {
    SpectrumParams params;
    params.manual = {true, false, false, false};
    params.manualScale = {0.25, 1, 1, 1};
    const Event event = sinesOnLine10(kAmplitudes, kTwoVelocitiesPaVelocity);
    EXPECT_EQ(rmsGraphs(event, params).graphs[0].top, 0.25);

    params.logy = true;
    const GraphSetup logGraph = rmsGraphs(event, params).graphs[0];
    // The 1-2-5 value at or above the scale, as a logarithm, and two decades below it.
    const double top = std::pow(10.0, logGraph.top);
    EXPECT_TRUE(std::abs(top - 0.5) < 1e-12 || std::abs(top - 0.25) < 1e-12) << top;
    EXPECT_NEAR(logGraph.bottom, logGraph.top - 2, 1e-15);
}

TEST(SpectrumGraphsTest, LogAxisWithoutPositiveRangeFails) {
    SpectrumParams params;
    params.logx = true;
    params.maxFrq = {500, 0, 500, 500};
    EXPECT_THROW(rmsGraphs(sinesOnLine10(kAmplitudes, kTwoVelocitiesPaVelocity), params), Error);
}

}  // namespace
}  // namespace krnz::spectrum
