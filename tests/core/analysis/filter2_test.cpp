// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "core/analysis/filter2.h"
#include "core/common/error.h"
#include "support/param_name.h"

namespace krnz::analysis {
namespace {

std::vector<float> tone(double amplitude, double f, double dt, std::size_t n) {
    std::vector<float> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * f * dt * i));
    return x;
}

// Largest magnitude over the second half, after the start transient has died away.
double settledPeak(const std::vector<float>& x) {
    double peak = 0;
    for (std::size_t i = x.size() / 2; i + 2 < x.size(); ++i)
        peak = std::max(peak, std::fabs(double{x[i]}));
    return peak;
}

TEST(LowPass, ConstantPassesUnchangedIncludingEnds) {
    std::vector<float> x(500, -3.75f);
    lowPass(x, 0.001, 40.0);
    for (const float v : x) ASSERT_FLOAT_EQ(v, -3.75f);
}

// The analog prototypes at their cut-off pass 1/sqrt(2) of a tone; well below the sampling
// frequency the mapped poles give the same within a percent, and a second-order slope far away.
struct ToneCase {
    bool lowPassFlag;
    double fc;
    double f;
    double gain;       // expected steady-state amplitude ratio
    double tolerance;  // absolute
};

class Filter2Tone : public testing::TestWithParam<ToneCase> {};

TEST_P(Filter2Tone, SteadyStateGain) {
    const ToneCase c = GetParam();
    const double dt = 1.0 / 10000;
    std::vector<float> x = tone(1.0, c.f, dt, 40000);
    filter2(x, dt, c.fc, c.lowPassFlag);
    EXPECT_NEAR(settledPeak(x), c.gain, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Filter2Tone,
    testing::Values(ToneCase{true, 20.0, 20.0, std::numbers::sqrt2 / 2, 0.01},  // at cut-off
                    ToneCase{true, 100.0, 2.0, 1.0, 0.01},                      // far below
                    ToneCase{true, 10.0, 400.0, 1.0 / 1600, 0.0006},  // 40 x above: 1/40^2
                    ToneCase{false, 20.0, 20.0, std::numbers::sqrt2 / 2, 0.01},  // at cut-off
                    ToneCase{false, 2.0, 200.0, 1.0, 0.02},                      // far above
                    ToneCase{false, 100.0, 5.0, 1.0 / 400, 0.0005}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::nameOf(std::string(p.lowPassFlag ? "lowPass " : "highPass ") +
                            test::numberText(p.fc) + "Hz tone " + test::numberText(p.f) + "Hz");
    });  // 20 x below: 1/20^2

TEST(HiPass, ConstantDecaysFromStartValues) {
    std::vector<float> x(2000, 5.0f);
    hiPass(x, 0.001, 10.0);
    EXPECT_EQ(x[0], 5.0f);
    EXPECT_EQ(x[1], 5.0f);
    // A constant has no second difference, so only the start values feed the recursion.
    EXPECT_LT(std::fabs(x[2]), 5.0f);
    EXPECT_LT(std::fabs(x[1000]), 1e-6f);
    EXPECT_EQ(x[1998], x[1997]);
    EXPECT_EQ(x[1999], x[1997]);
}

TEST(HiPass, RampHasNoSecondDifferenceEither) {
    std::vector<float> ramp(2000), constant(2000, 0.0f);
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<float>(0.25 * i);
    hiPass(ramp, 0.001, 10.0);
    // Same start values x(0) = x(1) = 0.25 feed the same recursion as a constant 0.25 row.
    std::fill(constant.begin(), constant.end(), 0.25f);
    hiPass(constant, 0.001, 10.0);
    EXPECT_EQ(ramp, constant);
}

TEST(HiPass, OutputLeadsCentredDifferenceByOneSample) {
    // A spike at sample 50: the second difference x(k) - 2 x(k+1) + x(k+2) first sees it at k = 48.
    std::vector<float> x(200, 0.0f);
    x[50] = 1.0f;
    hiPass(x, 0.001, 10.0);
    EXPECT_EQ(x[47], 0.0f);
    EXPECT_GT(x[48], 0.0f);
    EXPECT_LT(x[49], 0.0f);
}

class UnusableCutOff : public testing::TestWithParam<double> {};

TEST_P(UnusableCutOff, IsRefusedBeforeTheRowChanges) {
    const double dt = 1.0 / 1024;
    EXPECT_FALSE(isUsableCutOff(GetParam(), dt));
    for (const bool flag : {true, false}) {
        std::vector<float> x = tone(1.0, 10.0, dt, 300);
        const std::vector<float> before = x;
        EXPECT_THROW(filter2(x, dt, GetParam(), flag), Error);
        EXPECT_EQ(x, before);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, UnusableCutOff,
                         testing::Values(0.0, -5.0, 512.0, 600.0,
                                         std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity()),
                         test::PrintedName());

struct ShortCase {
    std::vector<float> in;
    std::vector<float> out;
};

class Filter2Short : public testing::TestWithParam<ShortCase> {};

// No recursion runs below five samples; the start and end assignments still apply.
TEST_P(Filter2Short, OnlyStartAndEndValues) {
    for (const bool flag : {true, false}) {
        std::vector<float> x = GetParam().in;
        filter2(x, 0.001, 10.0, flag);
        EXPECT_EQ(x, GetParam().out);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Filter2Short,
                         testing::Values(ShortCase{{}, {}}, ShortCase{{3}, {3}},
                                         ShortCase{{3, 4}, {4, 4}}, ShortCase{{3, 4, 5}, {4, 4, 4}},
                                         ShortCase{{3, 4, 5, 6}, {4, 4, 4, 4}}),
                         [](const auto& info) {
                             return "samples" + std::to_string(info.param.in.size());
                         });

}  // namespace
}  // namespace krnz::analysis
