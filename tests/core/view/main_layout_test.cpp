// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/main_layout.h"

#include <gtest/gtest.h>

namespace krnz::view {
namespace {

LayoutInputs window() {
    LayoutInputs in;
    in.innerWidth = 1000;
    in.innerHeight = 700;
    in.toolbarHeight = 30;
    in.sampleInfoHeight = 120;
    in.channelInfoHeight = 150;
    in.scrollBarWidth = 16;
    in.scaleColumnWidth = 40;
    in.active = {true, true, true, true};
    return in;
}

TEST(MainLayout, PanelsStackAndSwitchedOffOnesTakeNoHeight) {
    struct Row {
        bool toolbar, sample, channel;
        int areaTop;
    };
    const Row rows[] = {
        {true, true, true, 300},  {true, false, true, 180}, {true, true, false, 150},
        {true, false, false, 30}, {false, true, true, 270}, {false, false, false, 0},
    };
    for (const Row& r : rows) {
        LayoutInputs in = window();
        in.toolbarOn = r.toolbar;
        in.sampleInfoOn = r.sample;
        in.channelInfoOn = r.channel;
        const MainLayout out = layoutMainWindow(in);
        EXPECT_EQ(out.graphArea.y, r.areaTop);
        EXPECT_EQ(out.graphArea.height, 700 - r.areaTop);
        EXPECT_EQ(out.graphs[0].height, 700 - r.areaTop);
        EXPECT_EQ(out.channelInfo.y, (r.toolbar ? 30 : 0) + (r.sample ? 120 : 0));
        EXPECT_EQ(out.channelInfo.visible, r.channel);
        EXPECT_EQ(out.channelBlocks[2].visible, r.channel);
    }
}

TEST(MainLayout, ZoomOneUsesTheFullWidthWithoutScrollBar) {
    const MainLayout out = layoutMainWindow(window());
    EXPECT_FALSE(out.scrollBar.visible);
    EXPECT_EQ(out.graphArea.width, 1000);
    EXPECT_EQ(out.channelInfo.width, 1000);
    EXPECT_EQ(out.graphs[1].x, 40 + 240);  // (1000 - 40) / 4
    EXPECT_EQ(out.graphs[3].width, 240);
}

TEST(MainLayout, ZoomShowsTheScrollBarAndMakesTheStripsTaller) {
    LayoutInputs in = window();
    in.zoom = 4;
    const MainLayout out = layoutMainWindow(in);
    EXPECT_TRUE(out.scrollBar.visible);
    EXPECT_EQ(out.scrollBar.x, 984);
    EXPECT_EQ(out.scrollBar.y, 300);
    EXPECT_EQ(out.scrollBar.height, 400);
    EXPECT_EQ(out.graphArea.width, 984);
    EXPECT_EQ(out.channelInfo.width, 984);
    EXPECT_EQ(out.graphs[0].height, 1600);
    EXPECT_EQ(out.scaleColumn.height, 1600);
    EXPECT_EQ(out.graphs[0].width, 236);
}

TEST(MainLayout, InactiveSlotsCloseUp) {
    LayoutInputs in = window();
    in.active = {false, true, false, true};
    const MainLayout out = layoutMainWindow(in);
    EXPECT_FALSE(out.graphs[0].visible);
    EXPECT_FALSE(out.channelBlocks[0].visible);
    EXPECT_EQ(out.graphs[1].x, 40);
    EXPECT_EQ(out.graphs[3].x, 40 + 480);
    EXPECT_EQ(out.channelBlocks[3].x, out.graphs[3].x);
    EXPECT_EQ(out.channelBlocks[3].width, 480);

    in.active = {false, false, false, false};
    const MainLayout none = layoutMainWindow(in);
    for (const Rect& g : none.graphs) EXPECT_FALSE(g.visible);
    EXPECT_TRUE(none.graphArea.visible);
}

TEST(MainLayout, GraphWidthRoundsHalfToEven) {
    LayoutInputs in = window();
    in.innerWidth = 46;  // (46 - 40) / 4 = 1.5
    EXPECT_EQ(layoutMainWindow(in).graphs[0].width, 2);
    in.innerWidth = 50;  // 2.5
    EXPECT_EQ(layoutMainWindow(in).graphs[0].width, 2);
}

TEST(MainLayout, MinimumSizeWidthFirst) {
    const Size minimum{600, 400};
    EXPECT_EQ(minimumSizeCorrection({500, 300}, minimum), (Size{600, 300}));
    EXPECT_EQ(minimumSizeCorrection({600, 300}, minimum), (Size{600, 400}));
    EXPECT_EQ(minimumSizeCorrection({600, 400}, minimum), std::nullopt);
    EXPECT_EQ(twipsToPixels(kMinimumWidthTwips, 15), 600);
    EXPECT_EQ(twipsToPixels(kMinimumHeightTwips, 15), 400);
    EXPECT_EQ(twipsToPixels(kMinimumWidthTwips, 7.5), 1200);
    EXPECT_EQ(twipsToPixels(kMinimumWidthTwips, 1440.0 / 120), 750);
    EXPECT_EQ(twipsToPixels(100, 15), 7) << "rounded up so the minimum holds";
}

TEST(MainLayout, UserFieldsAndMoreButton) {
    EXPECT_EQ(userFieldWidth(500, 80, 300), 300);
    EXPECT_EQ(userFieldWidth(300, 80, 300), 220);
    const MoreButtonPlacement roomy = placeMoreButton(800, 60, 80, 300);
    EXPECT_EQ(roomy.buttonLeft, 440);
    EXPECT_EQ(roomy.notesWidth, 300);
    const MoreButtonPlacement tight = placeMoreButton(400, 60, 80, 300);
    EXPECT_EQ(tight.buttonLeft, 340);
    EXPECT_EQ(tight.notesWidth, 260) << "cut so the button does not cover it";
}

}  // namespace
}  // namespace krnz::view
