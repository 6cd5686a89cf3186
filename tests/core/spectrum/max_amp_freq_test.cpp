// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/max_amp_freq.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/common/error.h"
#include "support/param_name.h"

namespace krnz::spectrum {
namespace {

struct PeakCase {
    const char* name;
    std::vector<double> x, y;
    double want;
};

class MaxAmpFreq : public testing::TestWithParam<PeakCase> {};

TEST_P(MaxAmpFreq, NamesTheFirstLargestPositiveValue) {
    const PeakCase& c = GetParam();
    EXPECT_EQ(maxAmpFreq(c.x, c.y), c.want) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MaxAmpFreq,
    testing::Values(PeakCase{"single peak", {0, 10, 20, 30}, {0, 1, 3, 2}, 20},
                    PeakCase{"tie: first wins", {0, 10, 20, 30}, {0, 5, 1, 5}, 10},
                    PeakCase{"tie at the start", {0, 10, 20}, {4, 4, 1}, 0},
                    PeakCase{"all zero", {0, 10, 20}, {0, 0, 0}, 0},
                    PeakCase{"all negative", {5, 10, 20}, {-3, -1, -2}, 0},
                    PeakCase{"tiny positive", {5, 10, 20}, {-3, 1e-300, -2}, 10},
                    PeakCase{"empty", {}, {}, 0}),
    [](const auto& info) { return test::nameOf(info.param.name); });

TEST(MaxAmpFreqTest, MismatchedArraysAreAProgramError) {
    const std::vector<double> x{1, 2, 3};
    const std::vector<double> y{1, 2};
    try {
        maxAmpFreq(x, y);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrProgram);
    }
}

}  // namespace
}  // namespace krnz::spectrum
