// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/segment.h"

#include <gtest/gtest.h>

#include "core/common/error.h"

namespace krnz::spectrum {
namespace {

struct CursorCase {
    const char* name;
    double rowA, rowB;  // twips
    double tpp;
    double plotPx;
    std::int32_t nSamples;
    std::int32_t first, last;
};

class SegmentFromCursors : public testing::TestWithParam<CursorCase> {};

TEST_P(SegmentFromCursors, EitherCursorMayBeAbove) {
    const CursorCase& c = GetParam();
    for (const bool swapped : {false, true}) {
        const Segment s = swapped
                              ? segmentFromCursorRows(c.rowB, c.rowA, c.tpp, c.plotPx, c.nSamples)
                              : segmentFromCursorRows(c.rowA, c.rowB, c.tpp, c.plotPx, c.nSamples);
        EXPECT_EQ(s.first, c.first) << c.name << (swapped ? " swapped" : "");
        EXPECT_EQ(s.last, c.last) << c.name << (swapped ? " swapped" : "");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SegmentFromCursors,
                         testing::Values(
                             // 1000 pixels of 15 twips show 10000 samples: 10 samples per pixel.
                             CursorCase{"plain", 1500, 2999, 15, 1000, 10000, 1000, 1999},
                             // 100 pixels of 1 twip show 50 samples: both ends land on halves
                             // (2.5, 4.5; 3.5, 5.5), which go to the even neighbour.
                             CursorCase{"halves to even down", 5, 10, 1, 100, 50, 2, 4},
                             CursorCase{"halves to even up", 7, 12, 1, 100, 50, 4, 6},
                             // A cursor below the plot's end clamps the segment at the last sample.
                             CursorCase{"clamped", 0, 30000, 15, 1000, 10000, 0, 9999},
                             // Both beyond the end: an empty segment, which the spectrum refuses.
                             CursorCase{"both beyond", 20000, 30000, 15, 1000, 10000, 13333, 9999}),
                         [](const testing::TestParamInfo<CursorCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (ch == ' ') ch = '_';
                             }
                             return name;
                         });

TEST(SegmentTest, DegenerateGeometryFails) {
    EXPECT_THROW(segmentFromCursorRows(0, 100, 0, 1000, 100), Error);
    EXPECT_THROW(segmentFromCursorRows(0, 100, 15, 0, 100), Error);
    // An end beyond a 32-bit index.
    EXPECT_THROW(segmentFromCursorRows(1e12, 2e12, 1, 1, 2000000000), Error);
}

}  // namespace
}  // namespace krnz::spectrum
