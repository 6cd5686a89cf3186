// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/zoom_scroll.h"

#include <gtest/gtest.h>

namespace krnz::view {
namespace {

TEST(ZoomScroll, WheelScrollsThreeSmallStepsANotchWithinTheBar) {
    ScrollState s;  // 0..999, small step 10
    s.value = 500;
    EXPECT_EQ(wheelScrollValue(s, 1), 470);
    EXPECT_EQ(wheelScrollValue(s, -2), 560);
    s.value = 20;
    EXPECT_EQ(wheelScrollValue(s, 1), 0) << "never above the top";
    s.value = 990;
    EXPECT_EQ(wheelScrollValue(s, -1), 999) << "never below the end";
    EXPECT_EQ(wheelScrollValue(s, -2'000'000'000), 999) << "no overflow on a wild delta";
}

TEST(ZoomScroll, CtrlWheelStepsThroughTheZoomList) {
    EXPECT_EQ(steppedZoom(1, 1), 2);
    EXPECT_EQ(steppedZoom(4, 1), 8);
    EXPECT_EQ(steppedZoom(4, -1), 2);
    EXPECT_EQ(steppedZoom(16, 1), 16) << "the largest stays";
    EXPECT_EQ(steppedZoom(1, -1), 1) << "the smallest stays";
    EXPECT_EQ(steppedZoom(2, 3), 16);
    EXPECT_EQ(steppedZoom(3, 1), 2) << "an unknown factor counts as the first";
}

TEST(ZoomScroll, LargeChangeIsOneWindowHeight) {
    struct Row {
        int zoom;
        int largeChange;
    };
    const Row rows[] = {{2, 1000}, {4, 333}, {8, 143}, {16, 67}};
    for (const Row& r : rows) {
        ZoomState z;
        z.scroll.value = 500;
        selectZoom(z, r.zoom);
        EXPECT_EQ(z.scroll.largeChange, r.largeChange) << r.zoom;
        EXPECT_EQ(z.scroll.value, 0) << "back to the top";
        EXPECT_EQ(z.previousZoom, 1);
    }
}

TEST(ZoomScroll, ZoomOneKeepsTheLastLargeChange) {
    ZoomState z;
    selectZoom(z, 4);
    selectZoom(z, 1);
    EXPECT_EQ(z.previousZoom, 4);
    EXPECT_EQ(z.scroll.largeChange, 333);
}

TEST(ZoomScroll, PagingNeverLeavesTheRange) {
    ScrollState s;
    s.largeChange = 333;
    const int downs[] = {333, 666, 999, 999};
    for (int expected : downs) {
        pageDown(s);
        EXPECT_EQ(s.value, expected);
    }
    s.value = 700;
    pageDown(s);
    EXPECT_EQ(s.value, 999) << "700 + 333 is above the maximum";
    const int ups[] = {666, 333, 0, 0};
    for (int expected : ups) {
        pageUp(s);
        EXPECT_EQ(s.value, expected);
    }
    s.value = 200;
    pageUp(s);
    EXPECT_EQ(s.value, 0);
}

TEST(ZoomScroll, ALargeStepScrollsOneWindowHeight) {
    // Zoom 4: the strip is four window heights of 250 pixels.
    ScrollState s;
    s.largeChange = 333;
    EXPECT_EQ(scrolledTop(s, 1000, 250), 0);
    s.value = 333;
    EXPECT_NEAR(scrolledTop(s, 1000, 250), -250, 1e-9);
    s.value = 999;
    EXPECT_NEAR(scrolledTop(s, 1000, 250), -750, 1e-9)
        << "the last value shows the end of the strip";
}

}  // namespace
}  // namespace krnz::view
