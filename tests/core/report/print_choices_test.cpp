// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/print_choices.h"

#include <gtest/gtest.h>

namespace krnz::report {
namespace {

TEST(PrintChoices, StripPositionsCountTheTickedSlotsBefore) {
    PrintChoices c;
    c.channelOn = {false, true, false, true};
    EXPECT_EQ(countPrintChannels(c), 2);
    EXPECT_EQ(countPrintChannelsBefore(c, 1), 0);
    EXPECT_EQ(countPrintChannelsBefore(c, 3), 1);
    c.channelOn = {false, false, false, false};
    EXPECT_EQ(countPrintChannels(c), 0);
}

struct ZoomCase {
    int zoom;
    int value;
    double start;
    double end;
};

class Zoomed : public ::testing::TestWithParam<ZoomCase> {};

// The scroll bar runs 0..999; at its end the strips' last window height shows.
TEST_P(Zoomed, TheScrolledWindowIsTheVisiblePart) {
    const VisiblePart v = visiblePart(GetParam().zoom, GetParam().value, 999);
    EXPECT_NEAR(v.start, GetParam().start, 1e-12);
    EXPECT_NEAR(v.end, GetParam().end, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Scroll, Zoomed,
                         ::testing::Values(ZoomCase{1, 500, 0.0, 1.0}, ZoomCase{4, 0, 0.0, 0.25},
                                           ZoomCase{4, 999, 0.75, 1.0}, ZoomCase{2, 999, 0.5, 1.0}),
                         [](const auto& info) {
                             return "zoom" + std::to_string(info.param.zoom) + "_scroll" +
                                    std::to_string(info.param.value);
                         });

TEST(PrintChoices, SampleRangesCoverTheFractionAndAtLeastOneSample) {
    EXPECT_EQ(sampleRangeOf(0.0, 1.0, 2000).first, 0);
    EXPECT_EQ(sampleRangeOf(0.0, 1.0, 2000).last, 1999);
    EXPECT_EQ(sampleRangeOf(0.25, 0.5, 2000).first, 500);
    EXPECT_EQ(sampleRangeOf(0.25, 0.5, 2000).last, 999);
    const SampleRange narrow = sampleRangeOf(0.5, 0.5, 10);
    EXPECT_EQ(narrow.first, 5);
    EXPECT_EQ(narrow.last, 5);
    EXPECT_EQ(sampleRangeOf(-1.0, 3.0, 10).last, 9);
    EXPECT_LT(sampleRangeOf(0.0, 1.0, 0).last, sampleRangeOf(0.0, 1.0, 0).first);
}

}  // namespace
}  // namespace krnz::report
