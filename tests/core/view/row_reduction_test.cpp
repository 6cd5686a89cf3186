// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/row_reduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "support/event_builder.h"

namespace krnz::view {
namespace {

// Samples equal to their index, so a row's minimum and maximum name its first and last sample.
Event rampEvent(int n) {
    std::vector<float> ramp(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) ramp[static_cast<std::size_t>(i)] = static_cast<float>(i);
    return test::makeEvent({ramp, ramp, ramp, ramp});
}

struct Mapping {
    int n;
    int rows;
    std::vector<std::pair<int, int>> firstLast;  // per row
};

class RowMapping : public ::testing::TestWithParam<Mapping> {};

TEST_P(RowMapping, EachRowCoversItsSamplesExactly) {
    const Mapping& m = GetParam();
    const Event e = rampEvent(m.n);
    RowData rows;
    reduceToRows(rows, e.sample, m.rows);
    ASSERT_EQ(rows.rowCount, m.rows);
    ASSERT_EQ(m.firstLast.size(), static_cast<std::size_t>(m.rows));
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < m.rows; ++r) {
            EXPECT_EQ(rows.min(c, r), m.firstLast[static_cast<std::size_t>(r)].first)
                << "slot " << c << " row " << r;
            EXPECT_EQ(rows.max(c, r), m.firstLast[static_cast<std::size_t>(r)].second)
                << "slot " << c << " row " << r;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowMapping,
    ::testing::Values(
        Mapping{10, 5, {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}}},
        // step 3.33: the last row takes the samples that rounding leaves over.
        Mapping{10, 3, {{0, 2}, {3, 5}, {6, 9}}},
        Mapping{7, 7, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}},
        // Zoomed in beyond the sample rate: rows narrower than a sample repeat it.
        Mapping{3,
                10,
                {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {1, 1}, {1, 1}, {1, 1}, {2, 2}, {2, 2}, {2, 2}}},
        Mapping{1, 3, {{0, 0}, {0, 0}, {0, 0}}}, Mapping{9, 1, {{0, 8}}},
        Mapping{11, 4, {{0, 1}, {2, 4}, {5, 7}, {8, 10}}}));

TEST(RowReduction, LongRowsMatchAPlainScan) {
    // Rows long enough for the vectorised lanes and their leftover tail, random values.
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> value(-100, 100);
    const int n = 10007;
    std::vector<std::vector<float>> data(4, std::vector<float>(n));
    for (auto& row : data)
        for (float& v : row) v = value(rng);
    const Event e = test::makeEvent({data[0], data[1], data[2], data[3]});
    const int H = 13;
    RowData rows;
    reduceToRows(rows, e.sample, H);
    // Row boundaries from the ramp mapping: floor(r * n / H) for these sizes (no ties).
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < H; ++r) {
            const auto first = static_cast<std::size_t>(std::floor(r * double(n) / H));
            const auto end = static_cast<std::size_t>(std::floor((r + 1) * double(n) / H));
            const auto [lo, hi] =
                std::minmax_element(data[c].begin() + first, data[c].begin() + end);
            EXPECT_EQ(rows.min(c, r), *lo) << c << "/" << r;
            EXPECT_EQ(rows.max(c, r), *hi) << c << "/" << r;
        }
    }
}

TEST(RowReduction, NaNInsideARowIsPassedOverAsByTheScan) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> x(40, 1.0f);
    x[3] = nan;
    x[17] = -5.0f;
    x[25] = 9.0f;
    const Event e = test::makeEvent({x});
    RowData rows;
    reduceToRows(rows, e.sample, 1);
    EXPECT_EQ(rows.min(0, 0), -5.0f);
    EXPECT_EQ(rows.max(0, 0), 9.0f);
}

TEST(RowReduction, RowCountsAndTimePerRow) {
    Event e = rampEvent(2000);  // 1 kHz, 2 s
    RowData rows;
    reduceToRows(rows, e.sample, 500);
    EXPECT_EQ(rows.previousRowCount, 500) << "the first reduction has no earlier height";
    EXPECT_DOUBLE_EQ(rows.secondsPerRow, 0.004);
    reduceToRows(rows, e.sample, 1000);
    EXPECT_EQ(rows.previousRowCount, 500);
    EXPECT_EQ(rows.rowCount, 1000);
    EXPECT_DOUBLE_EQ(rows.secondsPerRow, 0.002);
    rows.reset();
    reduceToRows(rows, e.sample, 800);
    EXPECT_EQ(rows.previousRowCount, 800);
    EXPECT_EQ(rows.rowMin.size(), 4u * 800u);
}

TEST(RowReduction, EmptyEventGivesZeroRows) {
    SampleRecord rec;
    RowData rows;
    reduceToRows(rows, rec, 0);
    EXPECT_EQ(rows.rowCount, 1);
    EXPECT_EQ(rows.min(3, 0), 0.0f);
}

}  // namespace
}  // namespace krnz::view
