// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "core/analysis/resultant.h"

namespace krnz::analysis {
namespace {

SampleMatrix matrixOf(std::initializer_list<std::initializer_list<float>> rows) {
    SampleMatrix m(static_cast<std::int32_t>(rows.begin()->size()));
    int r = 0;
    for (const auto& row : rows) {
        std::int32_t i = 0;
        for (const float v : row) m(r, i++) = v;
        ++r;
    }
    return m;
}

TEST(Resultant, PythagoreanTriplesAndAbsoluteValue) {
    SampleMatrix m = matrixOf({{3, -5, 0}, {4, 12, 0}, {-1.5f, 2.25f, -0.0f}, {9, 9, 9}});
    resultant(m, 3, 0, 1);
    EXPECT_EQ(m(3, 0), 5.0f);
    EXPECT_EQ(m(3, 1), 13.0f);
    EXPECT_EQ(m(3, 2), 0.0f);
    // A row with itself and a zero row is its absolute value.
    m(1, 0) = m(1, 1) = m(1, 2) = 0.0f;
    resultant(m, 2, 2, 1);
    EXPECT_EQ(m(2, 0), 1.5f);
    EXPECT_EQ(m(2, 1), 2.25f);
    EXPECT_EQ(m(2, 2), 0.0f);
}

TEST(Resultant, ThreeSources) {
    SampleMatrix m = matrixOf({{1, 2}, {2, -3}, {2, 6}, {0, 0}});
    resultant(m, 3, 0, 1, 2);
    EXPECT_EQ(m(3, 0), 3.0f);
    EXPECT_EQ(m(3, 1), 7.0f);
}

TEST(Resultant, DestinationThatIsASourceReadsItsOldSamples) {
    SampleMatrix m = matrixOf({{6, 5}, {8, 12}, {0, 0}, {0, 0}});
    resultant(m, 1, 0, 1);
    EXPECT_EQ(m(1, 0), 10.0f);
    EXPECT_EQ(m(1, 1), 13.0f);
    EXPECT_EQ(m(0, 0), 6.0f);
}

}  // namespace
}  // namespace krnz::analysis
