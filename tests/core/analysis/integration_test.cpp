// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "core/analysis/integration.h"
#include "support/param_name.h"

namespace krnz::analysis {
namespace {

TEST(Integrate, ConstantRowGivesZeros) {
    std::vector<float> x(1000, 2.5f);
    integrate(x, 0.001, 1000.0);
    for (const float v : x) ASSERT_EQ(v, 0.0f);
}

// The running sum of a sine of whole periods is, in closed form,
// dt * A * (cos(th/2) - cos((i + 1/2) th)) / (2 sin(th/2)) with th = 2 pi f dt: a cosine of
// amplitude A dt / (2 sin(th/2)), close to A / (2 pi f).
TEST(Integrate, SineBecomesCosineOfKnownAmplitude) {
    const double dt = 1.0 / 1024, f = 16.0, a = 3.0, k = 1000.0;
    const double th = 2 * std::numbers::pi * f * dt;
    std::vector<float> x(4096);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(a * std::sin(th * i));
    integrate(x, dt, k);
    const double amplitude = a * dt / (2 * std::sin(th / 2));
    EXPECT_NEAR(amplitude, a / (2 * std::numbers::pi * f), 1e-3 * amplitude);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double expected = k * amplitude * (std::cos(th / 2) - std::cos((i + 0.5) * th));
        ASSERT_NEAR(x[i], expected, 1e-4 * k * amplitude) << "i = " << i;
    }
}

TEST(Integrate, OffsetIsRemovedBeforeSumming) {
    // x = 1 + (alternating +-1): the mean 1 goes, the rest sums to -dt, 0, -dt, 0 ...
    std::vector<float> x = {0, 2, 0, 2, 0, 2};
    integrate(x, 0.5, 2.0);
    const std::vector<float> expected = {-1, 0, -1, 0, -1, 0};
    EXPECT_EQ(x, expected);
}

TEST(Integrate, EmptyRowIsLeftAlone) {
    std::vector<float> x;
    integrate(x, 0.001, 1.0);
    EXPECT_TRUE(x.empty());
}

struct RampCase {
    double slope;  // per sample
    double dt;
    double factor;
};

class DifferentiateRamp : public testing::TestWithParam<RampCase> {};

TEST_P(DifferentiateRamp, GivesSlopeEverywhereButLastSample) {
    const RampCase c = GetParam();
    std::vector<float> x(257);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(c.slope * i);
    differentiate(x, c.dt, c.factor);
    const double slope = c.slope / c.dt * c.factor;
    for (std::size_t i = 0; i + 1 < x.size(); ++i)
        ASSERT_NEAR(x[i], slope, 1e-6 * std::fabs(slope)) << i;
    EXPECT_EQ(x.back(), 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Table, DifferentiateRamp,
                         testing::Values(RampCase{0.5, 1.0 / 1024, 1.0 / 1000},  // mm/s -> m/s2
                                         RampCase{-2.0, 0.001, 1.0},             // mm -> mm/s
                                         RampCase{0.25, 1.0 / 2048, 1.0 / 386.09}),
                         [](const auto& info) {
                             return test::nameOf("slope " + test::numberText(info.param.slope));
                         });

TEST(Differentiate, SpikeGivesUpAndDownStep) {
    std::vector<float> x = {0, 0, 4, 0, 0};
    differentiate(x, 0.5, 1.0);
    const std::vector<float> expected = {0, 8, -8, 0, 0};
    EXPECT_EQ(x, expected);
}

TEST(Differentiate, SingleSampleBecomesZero) {
    std::vector<float> x = {7};
    differentiate(x, 0.001, 1.0);
    EXPECT_EQ(x[0], 0.0f);
}

}  // namespace
}  // namespace krnz::analysis
