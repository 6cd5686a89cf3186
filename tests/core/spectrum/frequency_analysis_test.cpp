// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/frequency_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>
#include <utility>
#include <vector>

#include "core/common/error.h"
#include "core/spectrum/data_window.h"
#include "support/event_builder.h"
#include "support/param_name.h"

namespace krnz::spectrum {
namespace {

using test::kGeophoneAndMic;
using test::sine;
using test::syntheticEvent;

constexpr double kDt = 0.001;

Segment whole(const Event& event) {
    return {0, event.sample.nSamplesPerChannel - 1};
}

std::size_t maxIndex(const std::vector<double>& v) {
    return static_cast<std::size_t>(std::max_element(v.begin(), v.end()) - v.begin());
}

std::string windowName(int windowType) {
    switch (windowType) {
        case kWindowRect:
            return "rect";
        case kWindowGeo:
            return "geo";
        case kWindowHanning:
            return "hanning";
        default:
            return "window" + std::to_string(windowType);
    }
}

struct SineCase {
    int windowType;
    std::size_t cleared;  // lines 0..cleared-1 suppressed for M = N/2
};

class UnitSineOnALine : public testing::TestWithParam<SineCase> {};

// Amplitude 1 on line 10 of a 256-sample segment shows its RMS value whatever the window's
// coherent gain. A DC offset would show on line 0 (and leak onto line 1 through Hanning's lobe);
// those lines read 0.
TEST_P(UnitSineOnALine, ShowsItsRmsValue) {
    const SineCase& c = GetParam();
    const Event event = syntheticEvent(256, kDt, kGeophoneAndMic, [](int slot, std::int32_t i) {
        return slot == 0 ? sine(1.0, 10, 256, i) + 0.5 : 0.0;
    });
    const SpectrumRun run = computeSpectra(event.sample, whole(event), c.windowType, kSpectrumFft);
    const std::vector<double>& y = run.values[0];
    ASSERT_EQ(run.m, 128);
    ASSERT_EQ(y.size(), 128u);
    EXPECT_NEAR(y[10], 0.7071067811865476, 1e-6);
    EXPECT_DOUBLE_EQ(run.freqs[10], 10 * 1000.0 / 256);
    for (std::size_t k = 0; k < c.cleared; ++k) EXPECT_EQ(y[k], 0.0) << "line " << k;
    // Hanning's neighbours of the peak carry half of it; nothing else is left anywhere.
    const double side = c.windowType == kWindowHanning ? 0.7071067811865476 / 2 : 0.0;
    EXPECT_NEAR(y[9], side, 1e-6);
    EXPECT_NEAR(y[11], side, 1e-6);
    for (std::size_t k = c.cleared; k < y.size(); ++k) {
        if (k < 9 || k > 11) {
            EXPECT_NEAR(y[k], 0.0, 1e-6) << "line " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, UnitSineOnALine,
                         testing::Values(SineCase{kWindowRect, 2}, SineCase{kWindowHanning, 3}),
                         [](const auto& info) { return windowName(info.param.windowType); });

struct SuppressionCase {
    int windowType;
    std::int32_t n;
    std::size_t cleared;  // K + 1, K = ceiling(2*M*BW / N)
};

class DcSuppression : public testing::TestWithParam<SuppressionCase> {};

// Odd N pads to 2M = N + 1 points, which widens the lobe in lines: GEO then clears three.
TEST_P(DcSuppression, ClearsTheMainLobeAroundZero) {
    const SuppressionCase& c = GetParam();
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    const Event event =
        syntheticEvent(c.n, kDt, kGeophoneAndMic, [&](int, std::int32_t) { return noise(random); });
    const SpectrumRun run = computeSpectra(event.sample, whole(event), c.windowType, kSpectrumFft);
    ASSERT_EQ(run.m, (c.n + 1) / 2);
    for (const std::vector<double>& values : run.values) {
        for (std::size_t k = 0; k < c.cleared; ++k) EXPECT_EQ(values[k], 0.0) << "line " << k;
        EXPECT_GT(values[c.cleared], 0.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, DcSuppression,
    testing::Values(SuppressionCase{kWindowRect, 64, 2}, SuppressionCase{kWindowGeo, 64, 2},
                    SuppressionCase{kWindowHanning, 64, 3}, SuppressionCase{kWindowRect, 63, 2},
                    SuppressionCase{kWindowGeo, 63, 3}, SuppressionCase{kWindowHanning, 63, 3}),
    [](const auto& info) {
        return windowName(info.param.windowType) + "_n" + std::to_string(info.param.n);
    });

TEST(SpectrumTest, SuppressionMayClearEveryLineOfAShortSegment) {
    const Event event =
        syntheticEvent(3, kDt, kGeophoneAndMic, [](int, std::int32_t i) { return i; });
    const SpectrumRun run =
        computeSpectra(event.sample, whole(event), kWindowHanning, kSpectrumPsd);
    ASSERT_EQ(run.m, 2);
    for (const std::vector<double>& values : run.values)
        EXPECT_EQ(values, std::vector<double>(2, 0.0));
}

// Odd N: M = ceil(N/2) lines at k * fs / (2M), so the padded transform's line spacing.
TEST(SpectrumTest, OddSegmentHasCeilHalfLinesOfThePaddedLength) {
    const Event event = syntheticEvent(1001, kDt, kGeophoneAndMic,
                                       [](int, std::int32_t i) { return sine(2.0, 50, 1002, i); });
    const SpectrumRun run = computeSpectra(event.sample, {0, 1000}, kWindowRect, kSpectrumFft);
    EXPECT_EQ(run.n, 1001);
    EXPECT_EQ(run.m, 501);
    ASSERT_EQ(run.freqs.size(), 501u);
    EXPECT_DOUBLE_EQ(run.freqs[500], 500 * 1000.0 / 1002);
    for (const std::vector<double>& values : run.values) {
        ASSERT_EQ(values.size(), 501u);
        // 50 periods of 1002 samples, 1001 of them present: nearly all on line 50.
        EXPECT_NEAR(values[50], 2.0 / std::sqrt(2.0), 5e-3);
        EXPECT_EQ(maxIndex(values), 50u);
    }
}

class KindScaling : public testing::TestWithParam<int> {};

// The PSD of a sine summed over the lines (times the line spacing) is the sine's power a^2/2;
// B makes that hold whatever the window. ESD is the PSD times the segment's duration.
TEST_P(KindScaling, PsdHoldsTheSinePowerAndEsdItsEnergy) {
    const int windowType = GetParam();
    const std::int32_t n = 2000;
    const double a = 3.0;
    const Event event = syntheticEvent(n, kDt, kGeophoneAndMic,
                                       [&](int, std::int32_t i) { return sine(a, 137, n, i); });
    const SpectrumRun psd = computeSpectra(event.sample, whole(event), windowType, kSpectrumPsd);
    const SpectrumRun esd = computeSpectra(event.sample, whole(event), windowType, kSpectrumEsd);
    const double lineHz = 1.0 / (n * kDt);
    double power = 0.0;
    for (const double v : psd.values[2]) power += v * lineHz;
    EXPECT_NEAR(power, a * a / 2, windowType == kWindowGeo ? 0.01 * a * a / 2 : 1e-5);
    for (int c = 0; c < kSlots; ++c) {
        const auto& p = psd.values[static_cast<std::size_t>(c)];
        const auto& e = esd.values[static_cast<std::size_t>(c)];
        ASSERT_EQ(p.size(), e.size());
        for (std::size_t k = 0; k < p.size(); ++k) {
            EXPECT_NEAR(e[k], p[k] * n * kDt, 1e-12 * (1.0 + p[k] * n * kDt))
                << "slot " << c << " line " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, KindScaling,
                         testing::Values(kWindowRect, kWindowGeo, kWindowHanning),
                         [](const auto& info) { return windowName(info.param); });

TEST(SpectrumTest, SegmentTimesAndGainsAreReported) {
    const Event event =
        syntheticEvent(500, 0.002, kGeophoneAndMic, [](int, std::int32_t i) { return i % 7; });
    const SpectrumRun run = computeSpectra(event.sample, {100, 299}, kWindowHanning, kSpectrumFft);
    EXPECT_EQ(run.n, 200);
    EXPECT_EQ(run.m, 100);
    EXPECT_DOUBLE_EQ(run.tStart, 0.2);
    EXPECT_DOUBLE_EQ(run.tEnd, 299 * 0.002);
    EXPECT_EQ(run.A, 0.5);
    EXPECT_EQ(run.B, 1.5);
    // Only the segment counts: a spike outside it changes nothing.
    Event spiked = event;
    spiked.sample.sampleData(0, 99) = 1e6f;
    spiked.sample.sampleData(0, 300) = 1e6f;
    EXPECT_EQ(computeSpectra(spiked.sample, {100, 299}, kWindowHanning, kSpectrumFft).values[0],
              run.values[0]);
}

// A recycled run of another length, window and kind only lends its storage; the window cache
// answers for the current window and length.
TEST(SpectrumTest, RecycledRunAndCachedWindowGiveFreshResults) {
    const Event event = syntheticEvent(1000, kDt, kGeophoneAndMic, [](int c, std::int32_t i) {
        return sine(1.0 + c, 37, 300, i) + 0.1 * (i % 5);
    });
    const Segment a{0, 599};
    const Segment b{200, 499};
    SpectrumRun recycled = computeSpectra(event.sample, a, kWindowHanning, kSpectrumPsd);
    for (const int windowType : {kWindowRect, kWindowGeo, kWindowHanning}) {
        const SpectrumRun fresh = computeSpectra(event.sample, b, windowType, kSpectrumFft);
        releaseSpectrumCaches();
        const SpectrumRun uncached = computeSpectra(event.sample, b, windowType, kSpectrumFft);
        recycled = computeSpectra(event.sample, b, windowType, kSpectrumFft, std::move(recycled));
        EXPECT_EQ(recycled.freqs, uncached.freqs);
        EXPECT_EQ(recycled.values, uncached.values) << windowType;
        EXPECT_EQ(fresh.values, uncached.values) << windowType;
        EXPECT_EQ(recycled.A, uncached.A);
        EXPECT_EQ(recycled.B, uncached.B);
        recycled = computeSpectra(event.sample, a, kWindowGeo, kSpectrumEsd, std::move(recycled));
    }
}

// Long segments share the slots between two threads; each slot's spectrum must stay its own.
TEST(SpectrumTest, LongSegmentKeepsEverySlotApart) {
    const std::int32_t n = 1 << 16;
    const Event event = syntheticEvent(n, kDt, kGeophoneAndMic, [](int c, std::int32_t i) {
        return sine(1.0 + c, 100 * (c + 1), n, i);
    });
    const SpectrumRun run =
        computeSpectra(event.sample, whole(event), kWindowHanning, kSpectrumFft);
    for (int c = 0; c < kSlots; ++c) {
        const std::vector<double>& values = run.values[static_cast<std::size_t>(c)];
        ASSERT_EQ(values.size(), static_cast<std::size_t>(n / 2));
        EXPECT_EQ(maxIndex(values), static_cast<std::size_t>(100 * (c + 1))) << "slot " << c;
        EXPECT_NEAR(values[static_cast<std::size_t>(100 * (c + 1))], (1.0 + c) / std::sqrt(2.0),
                    1e-5);
    }
}

struct FailureCase {
    const char* name;
    Segment segment;
    int windowType;
    double dt;
};

class SpectrumFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(SpectrumFailure, ThrowsInsteadOfComputing) {
    const FailureCase& c = GetParam();
    const Event event =
        syntheticEvent(100, c.dt, kGeophoneAndMic, [](int, std::int32_t i) { return i; });
    EXPECT_THROW(computeSpectra(event.sample, c.segment, c.windowType, kSpectrumFft), Error)
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpectrumFailure,
    testing::Values(FailureCase{"empty", {50, 49}, kWindowRect, kDt},
                    FailureCase{"before the first sample", {-1, 10}, kWindowRect, kDt},
                    FailureCase{"past the last sample", {90, 100}, kWindowRect, kDt},
                    FailureCase{"GEO on 5 samples", {10, 14}, kWindowGeo, kDt},
                    FailureCase{"no sample interval", {0, 99}, kWindowRect, 0.0}),
    [](const auto& info) { return test::nameOf(info.param.name); });

TEST(SpectrumTest, GeoOnSixSamplesWorks) {
    const Event event =
        syntheticEvent(100, kDt, kGeophoneAndMic, [](int, std::int32_t i) { return i % 3; });
    EXPECT_EQ(computeSpectra(event.sample, {10, 15}, kWindowGeo, kSpectrumFft).m, 3);
}

}  // namespace
}  // namespace krnz::spectrum
