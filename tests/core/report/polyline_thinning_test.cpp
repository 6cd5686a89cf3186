// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/polyline_thinning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace krnz::report {
namespace {

struct Span {
    double lo = 1e300;
    double hi = -1e300;
};

// Heights each pixel column of width w is touched at by the polyline's lines, sampled densely.
std::map<long, Span> coverage(const std::vector<PagePoint>& pts, double w) {
    std::map<long, Span> columns;
    auto touch = [&](double x, double y) {
        Span& s = columns[static_cast<long>(std::floor(x / w))];
        s.lo = std::min(s.lo, y);
        s.hi = std::max(s.hi, y);
    };
    for (std::size_t i = 0; i < pts.size(); ++i) {
        touch(pts[i].x, pts[i].y);
        if (i == 0) continue;
        for (int k = 1; k < 64; ++k) {
            const double t = k / 64.0;
            touch(pts[i - 1].x + t * (pts[i].x - pts[i - 1].x),
                  pts[i - 1].y + t * (pts[i].y - pts[i - 1].y));
        }
    }
    return columns;
}

TEST(PixelColumnExtremes, ADenseTraceKeepsItsColumnsHeightsWithAtMostFourPointsEach) {
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 40.0);
    std::vector<PagePoint> trace;
    for (int i = 0; i < 20000; ++i)
        trace.push_back({1000 + i * 0.037, 5000 + 800 * std::sin(i / 300.0) + noise(rng)});
    const double w = 1.2;
    const std::vector<PagePoint> thin = pixelColumnExtremes(trace, w);
    EXPECT_LT(thin.size(), trace.size() / 5);
    EXPECT_EQ(thin.front().x, trace.front().x);
    EXPECT_EQ(thin.back().y, trace.back().y);
    std::map<long, int> perColumn;
    for (const PagePoint& p : thin) ++perColumn[static_cast<long>(std::floor(p.x / w))];
    for (const auto& [column, n] : perColumn) EXPECT_LE(n, 4) << column;
    // Every column's extremes are points of the trace that are kept.
    const auto full = coverage(trace, w);
    const auto kept = coverage(thin, w);
    ASSERT_EQ(full.size(), kept.size());
    for (const auto& [column, span] : full) {
        EXPECT_DOUBLE_EQ(kept.at(column).lo, span.lo) << column;
        EXPECT_DOUBLE_EQ(kept.at(column).hi, span.hi) << column;
    }
}

TEST(PixelColumnExtremes, SparsePolylinesStayAsTheyAre) {
    const std::vector<PagePoint> sparse{{0, 0}, {10, 5}, {20, -5}, {30, 0}, {40, 1}, {50, 2}};
    const std::vector<PagePoint> thin = pixelColumnExtremes(sparse, 1.0);
    ASSERT_EQ(thin.size(), sparse.size());
    for (std::size_t i = 0; i < thin.size(); ++i) EXPECT_EQ(thin[i].y, sparse[i].y);
    EXPECT_EQ(pixelColumnExtremes(sparse, 0.0).size(), sparse.size());
}

}  // namespace
}  // namespace krnz::report
