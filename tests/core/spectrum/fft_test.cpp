// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/fft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

namespace krnz::spectrum {
namespace {

std::vector<double> transform(const std::vector<double>& x) {
    std::vector<double> y{-1.0};  // stale contents must go
    const std::int32_t m = fftthis(x, y);
    EXPECT_EQ(static_cast<std::size_t>(m), y.size());
    return y;
}

// |DFT| of x zero-padded to `points`, lines 0..points/2-1, by the definition.
std::vector<double> naiveMagnitudes(const std::vector<double>& x, std::size_t points) {
    std::vector<double> out(points / 2);
    for (std::size_t k = 0; k < out.size(); ++k) {
        std::complex<double> sum;
        for (std::size_t i = 0; i < x.size(); ++i) {
            sum += x[i] * std::polar(1.0, -2.0 * std::numbers::pi * static_cast<double>(k * i) /
                                              static_cast<double>(points));
        }
        out[k] = std::abs(sum);
    }
    return out;
}

class FftAgainstDefinition : public testing::TestWithParam<std::size_t> {};

// Odd lengths exercise the zero padding to 2M = N + 1 points.
TEST_P(FftAgainstDefinition, MTimesLineIsTheMagnitudeOfThePaddedDft) {
    const std::size_t n = GetParam();
    std::mt19937 random(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> value(-5.0, 5.0);
    std::vector<double> x(n);
    for (double& v : x) v = value(random);

    const std::vector<double> y = transform(x);
    const std::size_t m = (n + 1) / 2;
    ASSERT_EQ(y.size(), m);
    const std::vector<double> want = naiveMagnitudes(x, 2 * m);
    for (std::size_t k = 0; k < m; ++k) {
        EXPECT_NEAR(static_cast<double>(m) * y[k], want[k], 1e-9 * n) << "line " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, FftAgainstDefinition,
                         testing::Values(1, 2, 3, 4, 5, 7, 8, 16, 17, 63, 100, 101, 255),
                         [](const auto& info) { return "n" + std::to_string(info.param); });

TEST(FftTest, ConstantGoesToLineZeroOnly) {
    const std::vector<double> x(64, 0.25);
    const std::vector<double> y = transform(x);
    ASSERT_EQ(y.size(), 32u);
    EXPECT_NEAR(32 * y[0], 0.25 * 64, 1e-12);
    for (std::size_t k = 1; k < y.size(); ++k) EXPECT_NEAR(y[k], 0.0, 1e-14) << "line " << k;
}

TEST(FftTest, SineOfAmplitudeADividedByNGivesHalfTheAmplitude) {
    const int n = 128;
    const double a = 3.0;
    std::vector<double> x(n);
    for (int i = 0; i < n; ++i)
        x[static_cast<std::size_t>(i)] = a * std::sin(2 * std::numbers::pi * 9 * i / n) / n;
    const std::vector<double> y = transform(x);
    ASSERT_EQ(y.size(), 64u);
    EXPECT_NEAR(64 * y[9], a / 2, 1e-12);
}

TEST(FftTest, EmptySegmentReportsNoLines) {
    EXPECT_TRUE(transform({}).empty());
}

// More sizes than the plan cache holds, then again after dropping the plans: each call must
// still use a plan of its own size.
TEST(FftTest, ResultsSurviveCacheEvictionAndRelease) {
    const std::vector<std::size_t> sizes{10, 12, 14, 16, 18, 20, 10};
    for (int pass = 0; pass < 2; ++pass) {
        for (const std::size_t n : sizes) {
            std::vector<double> x(n, 0.0);
            x[1] = 1.0;  // a shifted impulse has a flat magnitude spectrum
            const std::vector<double> y = transform(x);
            ASSERT_EQ(y.size(), n / 2);
            for (const double v : y)
                EXPECT_NEAR(static_cast<double>(n / 2) * v, 1.0, 1e-12) << "n " << n;
        }
        releaseFftCaches();
    }
}

}  // namespace
}  // namespace krnz::spectrum
