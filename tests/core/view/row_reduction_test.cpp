// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/row_reduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "support/awkward_samples.h"
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
        Mapping{11, 4, {{0, 1}, {2, 4}, {5, 7}, {8, 10}}}),
    [](const auto& info) {
        return "n" + std::to_string(info.param.n) + "_rows" + std::to_string(info.param.rows);
    });

// Rows of n samples in H pixel rows, chosen so that rows are a little shorter than, as long as
// and a little longer than one and two blocks of the lanes (8 samples), narrower than a sample,
// and odd.
struct Reduction {
    std::size_t n;
    std::int32_t rows;
};

void PrintTo(const Reduction& r, std::ostream* os) {
    *os << r.n << " samples in " << r.rows << " rows";
}

class RowReductionScan : public ::testing::TestWithParam<Reduction> {};

// Each row's extremes as a scan from its first sample with strict comparisons finds them, to
// the bit (the sign of a zero included). The rows are mapped as reduceToRows documents.
void expectPlainScan(const RowData& rows, const std::vector<std::vector<float>>& data,
                     std::int32_t H, const char* how) {
    SCOPED_TRACE(how);
    const auto n = data[0].size();
    const auto last = static_cast<std::int32_t>(n) - 1;
    const double step = static_cast<double>(n) / H;
    for (std::size_t c = 0; c < data.size(); ++c) {
        const std::vector<float>& x = data[c];
        const int slot = static_cast<int>(c);
        double pos = 0.0;
        for (std::int32_t r = 0; r < H; ++r, pos += step) {
            const auto a = std::min(static_cast<std::int32_t>(std::floor(pos)), last);
            const auto b =
                r + 1 < H ? std::min(static_cast<std::int32_t>(std::floor(pos + step)) - 1, last)
                          : last;
            float lo = x[static_cast<std::size_t>(a)], hi = lo;
            for (std::int32_t j = a + 1; j <= b; ++j) {
                const float v = x[static_cast<std::size_t>(j)];
                if (v < lo) lo = v;
                if (v > hi) hi = v;
            }
            ASSERT_TRUE(test::sameBits(rows.min(slot, r), lo) &&
                        test::sameBits(rows.max(slot, r), hi))
                << "slot " << c << " row " << r << " (samples " << a << ".." << b
                << "): " << rows.min(slot, r) << ".." << rows.max(slot, r) << ", expected " << lo
                << ".." << hi;
        }
    }
}

// Reduced by scanning every sample and from the block extremes.
TEST_P(RowReductionScan, MatchesThePlainScan) {
    const auto [n, H] = GetParam();
    std::vector<std::vector<float>> data;
    for (std::uint32_t c = 0; c < 4; ++c) {
        std::vector<float> x = test::awkwardSamples(n, 30 + c);
        if (c % 2) test::plantPeaks(x, 2 * test::kAwkwardCeiling, 50, c);
        data.push_back(std::move(x));
    }
    const Event e = test::makeEvent({data[0], data[1], data[2], data[3]});
    RowData scanned, fromBlocks;
    reduceToRows(scanned, e.sample, H);
    const BlockExtremes blocks = blockExtremes(e.sample);
    reduceToRows(fromBlocks, e.sample, H, &blocks);
    for (const RowData* rows : {&scanned, &fromBlocks})
        expectPlainScan(*rows, data, H, rows == &fromBlocks ? "from blocks" : "scanned");
}

INSTANTIATE_TEST_SUITE_P(
    AcrossBlockEdges, RowReductionScan,
    ::testing::Values(Reduction{100000, 14286},  // 7 samples a row, some 6 or 8
                      Reduction{100000, 12500},  // 8
                      Reduction{100000, 11112},  // 9, some 8
                      Reduction{100000, 6667},   // 15
                      Reduction{100000, 6250},   // 16
                      Reduction{100000, 5883},   // 17
                      Reduction{99999, 1}, Reduction{100000, 1}, Reduction{100001, 1},
                      Reduction{7, 1}, Reduction{8, 1}, Reduction{9, 1}, Reduction{15, 1},
                      Reduction{16, 1}, Reduction{17, 1}, Reduction{100000, 333},
                      Reduction{1001, 3000},  // narrower than a sample
                      // Rows about one, two and three blocks of extremes (256 samples) long.
                      Reduction{102400, 401}, Reduction{102400, 400}, Reduction{102400, 399},
                      Reduction{102400, 201}, Reduction{102400, 200}, Reduction{102400, 199},
                      Reduction{102401, 133}, Reduction{102399, 7}),
    [](const auto& info) {
        return "n" + std::to_string(info.param.n) + "_rows" + std::to_string(info.param.rows);
    });

// A row that starts at a NaN keeps it, as the scan does; a row whose least value is a zero
// shows the sign of its first zero, although the blocks may hold either.
TEST(RowReduction, BlocksKeepTheScansNaNAndZeroRules) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> x(4096, 3.0f);
    for (std::size_t i = 1100; i < 1100 + 600; ++i) x[i] = nan;  // whole blocks of NaN
    x[2048] = nan;                                               // a row's first sample
    x[3300] = -0.0f;
    x[3400] = 0.0f;
    x[3600] = 0.0f;
    const Event e = test::makeEvent({x});
    const BlockExtremes blocks = blockExtremes(e.sample);
    RowData rows;
    reduceToRows(rows, e.sample, 4, &blocks);
    EXPECT_EQ(rows.min(0, 1), 3.0f);
    EXPECT_TRUE(std::isnan(rows.min(0, 2)) && std::isnan(rows.max(0, 2)));
    EXPECT_TRUE(test::sameBits(rows.min(0, 3), -0.0f));
    expectPlainScan(rows, {x}, 4, "from blocks");
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
