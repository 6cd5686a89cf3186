// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/trace_points.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/event_builder.h"

namespace krnz::view {
namespace {

RowData rowsOf(std::vector<float> x, int H) {
    const Event e = test::makeEvent({std::move(x)});
    RowData rows;
    reduceToRows(rows, e.sample, H);
    return rows;
}

TEST(TracePoints, ColumnsRoundHalfToEvenAroundTheCentre) {
    // 100 pixels, full scale 12.5: centre 50, 4 pixels per unit.
    struct Row {
        double value;
        std::int32_t column;
    };
    const Row rows[] = {{0, 50},     {12.5, 100}, {-12.5, 0},  {0.125, 50},
                        {0.375, 52}, {0.625, 52}, {0.875, 54}, {-0.125, 50}};
    for (const Row& r : rows) EXPECT_EQ(traceColumn(r.value, 4, 50, 100), r.column) << r.value;
}

TEST(TracePoints, FarOutsideValuesStayJustBeyondTheStrip) {
    EXPECT_EQ(traceColumn(1e30, 5, 50, 100), 201);
    EXPECT_EQ(traceColumn(-1e30, 5, 50, 100), -201);
    EXPECT_EQ(traceColumn(std::numeric_limits<double>::quiet_NaN(), 5, 50, 100), 50);
}

TEST(TracePoints, LinesJoinThePreviousMaximumToTheNextMinimum) {
    // Two samples per row: rows (-2, 4), (1, 3), (-4, -1).
    const RowData rows = rowsOf({-2, 4, 3, 1, -1, -4}, 3);
    const auto points = tracePolyline(rows, 0, 101, 4);  // centre round(50.5) = 50, 12.625 px/unit
    const std::vector<PixelPoint> expected = {
        {25, 0},            // start on row 0's minimum
        {25, 0}, {100, 0},  // row 0: -2 .. 4
        {63, 1}, {88, 1},   // row 1: 1 .. 3 (62.625, 87.875)
        {0, 2},  {37, 2},   // row 2: -4 .. -1 (-0.5 -> 0, 37.375)
    };
    EXPECT_EQ(points, expected);
}

TEST(TracePoints, PixelsAreTwoDotsPerRowWithoutTheJoin) {
    const RowData rows = rowsOf({-2, 4, 3, 1, -1, -4}, 3);
    const auto points = tracePixels(rows, 0, 101, 4);
    ASSERT_EQ(points.size(), 6u);
    EXPECT_EQ(points[0], (PixelPoint{25, 0}));
    EXPECT_EQ(points[5], (PixelPoint{37, 2}));
}

}  // namespace
}  // namespace krnz::view
