// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/analysis/peak_interpolation.h"
#include "support/param_name.h"

namespace krnz::analysis {
namespace {

double quartic(double u) {
    return 0.5 * u * u * u * u - 2 * u * u * u + u * u - 3 * u + 7;
}

class Lagrange5Polynomial : public testing::TestWithParam<double> {};

// Five points fix a polynomial of degree four, so the interpolation reproduces one exactly.
TEST_P(Lagrange5Polynomial, ReproducesQuartic) {
    std::vector<float> x(12);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<float>(quartic(static_cast<double>(i) - 5));
    const double t = GetParam();
    for (std::int32_t k = 2; k <= 9; ++k)
        EXPECT_NEAR(lagrange5(x, k, t), quartic(k - 5 + t),
                    1e-9 * std::max(1.0, std::fabs(quartic(k - 5 + t))))
            << "k = " << k;
}

INSTANTIATE_TEST_SUITE_P(Fractions, Lagrange5Polynomial,
                         testing::Values(0.0, 0.2, 0.5, 0.8, -1.0, 2.0), test::PrintedName());

TEST(InterpolatePeak, SpikeGivesItsSampleAndMagnitude) {
    std::vector<float> x(20, 0.0f);
    x[9] = -4.5f;
    const InterpolatedPeak peak = interpolatePeak(x);
    EXPECT_EQ(peak.index, 9);
    EXPECT_DOUBLE_EQ(peak.value, 4.5);
}

class InterpolatePeakEdges : public testing::TestWithParam<std::size_t> {};

// The first two and last two samples are never centres, so a spike there only shows through
// the polynomials of inner samples, smaller than itself (most at n-2, reached from n-3 at t = 0.8).
TEST_P(InterpolatePeakEdges, EdgeSpikeIsNotTakenWhole) {
    std::vector<float> x(12, 0.0f);
    x[GetParam()] = 10.0f;
    const InterpolatedPeak peak = interpolatePeak(x);
    EXPECT_LT(peak.value, 9.0);
    EXPECT_GE(peak.index, 2);
    EXPECT_LE(peak.index, 9);
}

INSTANTIATE_TEST_SUITE_P(Positions, InterpolatePeakEdges, testing::Values(0u, 1u, 10u, 11u),
                         [](const auto& info) { return "at" + std::to_string(info.param); });

TEST(InterpolatePeak, FindsSinePeakBetweenSamples) {
    // 10 samples per period: the samples nearest the crest lie 18 degrees off it (3 cos 18
    // = 2.853).
    std::vector<float> x(60);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<float>(3.0 *
                                  std::sin(2 * std::numbers::pi * static_cast<double>(i) / 10.0));
    double sampled = 0;
    for (const float v : x) sampled = std::max(sampled, std::fabs(double{v}));
    const InterpolatedPeak peak = interpolatePeak(x);
    EXPECT_LT(sampled, 2.86);
    EXPECT_NEAR(peak.value, 3.0, 0.01);
}

TEST(InterpolatePeak, TiesKeepTheEarliest) {
    std::vector<float> x(30, 0.0f);
    x[6] = 2.0f;
    x[20] = -2.0f;
    EXPECT_EQ(interpolatePeak(x).index, 6);
}

TEST(InterpolatePeak, TooShortRowGivesZero) {
    for (std::size_t n = 0; n < 5; ++n) {
        const std::vector<float> x(n, 9.0f);
        const InterpolatedPeak peak = interpolatePeak(x);
        EXPECT_EQ(peak.value, 0.0);
        EXPECT_EQ(peak.index, 0);
    }
}

}  // namespace
}  // namespace krnz::analysis
