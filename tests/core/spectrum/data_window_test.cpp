// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/data_window.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

#include "core/common/error.h"

namespace krnz::spectrum {
namespace {

double mean(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

double meanSquare(const std::vector<double>& v) {
    return std::inner_product(v.begin(), v.end(), v.begin(), 0.0) / static_cast<double>(v.size());
}

class GeoWindowLength : public testing::TestWithParam<std::int32_t> {};

TEST_P(GeoWindowLength, FailsCleanlyBelowSixSamples) {
    const std::int32_t n = GetParam();
    if (n < kGeoMinSamples) {
        try {
            makeDataWindow(kWindowGeo, n);
            FAIL() << "no error for " << n << " samples";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), kErrDivisionByZero);
            EXPECT_NE(e.text().find("6 samples"), std::string::npos) << e.text();
        }
        return;
    }
    const DataWindow w = makeDataWindow(kWindowGeo, n);
    ASSERT_EQ(w.weights.size(), static_cast<std::size_t>(n));
    // Tapers to 0 at both ends, symmetric, flat at 10/9 in the middle.
    EXPECT_NEAR(w.weights.front(), 0.0, 1e-12);
    EXPECT_NEAR(w.weights.back(), 0.0, 1e-12);
    for (std::int32_t k = 0; k < n; ++k) {
        EXPECT_NEAR(w.weights[static_cast<std::size_t>(k)],
                    w.weights[static_cast<std::size_t>(n - 1 - k)], 1e-12)
            << "k " << k;
    }
    EXPECT_DOUBLE_EQ(w.weights[static_cast<std::size_t>(n / 2)], 10.0 / 9.0);
    EXPECT_NEAR(w.A, mean(w.weights), 1e-12);
    EXPECT_NEAR(w.B, meanSquare(w.weights) / (w.A * w.A), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Lengths, GeoWindowLength,
                         testing::Values(1, 2, 3, 4, 5, 6, 7, 15, 25, 1001),
                         [](const auto& info) { return "n" + std::to_string(info.param); });

// The 10/9 scale makes up for the 10 % tapers at each end: for long segments the coherent gain
// tends to 1 and the noise bandwidth to (1 - 5/8 * 0.2) * (10/9)^2 lines of a Tukey window.
TEST(DataWindowTest, GeoGainsTendToTheTukeyLimits) {
    const DataWindow w = makeDataWindow(kWindowGeo, 200000);
    EXPECT_NEAR(w.A, 1.0, 1e-4);
    EXPECT_NEAR(w.B, 0.875 * 100.0 / 81.0, 1e-4);
}

// The constants 0.5 and 1.5 are those of the periodic Hanning weights themselves.
TEST(DataWindowTest, HanningConstantsMatchItsWeights) {
    for (const std::int32_t n : {8, 9, 1000, 1001}) {
        const DataWindow w = makeDataWindow(kWindowHanning, n);
        ASSERT_EQ(w.weights.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(w.weights[0], 0.0);
        EXPECT_NEAR(mean(w.weights), w.A, 1e-12) << n;
        EXPECT_NEAR(meanSquare(w.weights) / (w.A * w.A), w.B, 1e-12) << n;
    }
    // Any window number the wizard does not know is Hanning.
    EXPECT_EQ(makeDataWindow(7, 16).weights, makeDataWindow(kWindowHanning, 16).weights);
}

}  // namespace
}  // namespace krnz::spectrum
