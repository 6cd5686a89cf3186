// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "core/analysis/weightings.h"
#include "core/common/error.h"
#include "support/param_name.h"

namespace krnz::analysis {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

TEST(FirstOrderHighPass, ConstantDecaysGeometrically) {
    // s(i) = c (1 - (1 - a)^i), so the output c - s(i) is c (1 - a)^i; sample 0 is 0.
    const double frq = 1000, f0 = 5.6, c = 4.0;
    const double a = kTwoPi * f0 / frq;
    std::vector<float> x(1000, static_cast<float>(c));
    firstOrderHighPass(x, frq, f0);
    EXPECT_EQ(x[0], 0.0f);
    for (std::size_t i = 1; i < x.size(); ++i) ASSERT_NEAR(x[i], c * std::pow(1 - a, i), 1e-5) << i;
}

TEST(RunningRms, ConstantRisesWithTimeConstant) {
    // The averaged square is c0^2 (1 - (1 - c)^i), c = 1 / (frq tau): after one time constant
    // about 1 - 1/e of it.
    const double frq = 1024, tau = 0.125, c0 = 3.0;
    const double c = 1 / (frq * tau);
    std::vector<float> x(4096, static_cast<float>(c0));
    runningRms(x, frq, tau);
    EXPECT_EQ(x[0], 0.0f);
    for (std::size_t i = 1; i < x.size(); ++i)
        ASSERT_NEAR(x[i], c0 * std::sqrt(1 - std::pow(1 - c, i)), 1e-4) << i;
    EXPECT_NEAR(x[128], c0 * std::sqrt(1 - std::exp(-1.0)), 0.01);
    EXPECT_NEAR(x.back(), c0, 1e-4);
}

// Regression: the raw first sample used to enter the average as if it were an averaged square,
// so a negative one drove the average below zero and every root to NaN.
TEST(RunningRms, NegativeFirstSampleGivesSameRmsAsPositive) {
    std::vector<float> negative(2000, -5.0f), positive(2000, 5.0f);
    runningRms(negative, 1000, 1.0);
    runningRms(positive, 1000, 1.0);
    EXPECT_EQ(negative, positive);
    for (const float v : negative) ASSERT_FALSE(std::isnan(v));
}

struct WeightingCase {
    const char* name;
    std::function<void(std::vector<float>&, double)> apply;
    double expectedRatio;  // settled output / sine amplitude
};

class WeightingOfTone : public testing::TestWithParam<WeightingCase> {};

// A 60 Hz tone lies far above every corner: the high-pass passes it (first order at 60 / f0),
// the rms of the comfort weightings settles at amplitude / sqrt(2).
TEST_P(WeightingOfTone, SettlesAtKnownLevel) {
    const double frq = 2000, f = 60, amplitude = 2.0;
    std::vector<float> x(20000);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<float>(amplitude * std::sin(kTwoPi * f * i / frq));
    GetParam().apply(x, frq);
    double peak = 0;
    for (std::size_t i = x.size() / 2; i < x.size(); ++i)
        peak = std::max(peak, std::fabs(double{x[i]}));
    EXPECT_NEAR(peak / amplitude, GetParam().expectedRatio, 0.015) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, WeightingOfTone,
    testing::Values(
        WeightingCase{"comfortDin", [](std::vector<float>& x, double frq) { comfortDin(x, frq); },
                      (60 / std::hypot(60, 5.6)) / std::numbers::sqrt2},
        WeightingCase{"comfortScand",
                      [](std::vector<float>& x, double frq) { comfortScand(x, frq); },
                      (60 / std::hypot(60, 5.6)) / std::numbers::sqrt2},
        WeightingCase{"swedishStandard",
                      [](std::vector<float>& x, double frq) { swedishStandard(x, frq); },
                      60 / std::hypot(60, 3.28)}),
    [](const auto& info) { return test::nameOf(info.param.name); });

TEST(Weightings, ComfortIsHighPassThenRunningRms) {
    std::vector<float> x(5000);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<float>(-1.5 + std::sin(0.05 * i) + 0.3 * std::sin(1.7 * i));
    for (const double tau : {kComfortDinTauS, kComfortScandTauS}) {
        std::vector<float> twoPasses = x, weighted = x;
        firstOrderHighPass(twoPasses, 1024, kComfortCornerHz);
        runningRms(twoPasses, 1024, tau);
        (tau == kComfortDinTauS ? comfortDin : comfortScand)(weighted, 1024);
        EXPECT_EQ(weighted, twoPasses) << tau;
    }
}

struct SlowCase {
    const char* name;
    std::function<void(std::vector<float>&)> apply;
};

class WeightingTooSlow : public testing::TestWithParam<SlowCase> {};

// A recursion coefficient outside its stable range is refused before the row changes.
TEST_P(WeightingTooSlow, IsRefused) {
    std::vector<float> x(100);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(i % 7) - 3.0f;
    const std::vector<float> before = x;
    EXPECT_THROW(GetParam().apply(x), Error) << GetParam().name;
    EXPECT_EQ(x, before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WeightingTooSlow,
    testing::Values(
        // 2 pi 5.6 / 17 > 2: the first-order recursion would grow without bound.
        SlowCase{"comfortDin at 17 Hz", [](std::vector<float>& x) { comfortDin(x, 17.0); }},
        SlowCase{"swedishStandard at 10 Hz",
                 [](std::vector<float>& x) { swedishStandard(x, 10.0); }},
        SlowCase{"runningRms frq tau < 1",
                 [](std::vector<float>& x) { runningRms(x, 7.0, 0.125); }},
        SlowCase{"high-pass at 0 Hz",
                 [](std::vector<float>& x) { firstOrderHighPass(x, 1000, 0.0); }}),
    [](const auto& info) { return test::nameOf(info.param.name); });

}  // namespace
}  // namespace krnz::analysis
