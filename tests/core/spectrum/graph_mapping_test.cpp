// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/graph_mapping.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/spectrum/fft_graphs.h"

namespace krnz::spectrum {
namespace {

struct MapCase {
    double value;
    double pixel;
};

// 500 Hz over 400 columns; 8 units over 16 rows. Halves go to the even neighbour.
TEST(GraphMappingTest, MapsTheDataRectangleOntoPixels) {
    const GraphMapping map{
        .left = 0, .top = 8, .right = 500, .bottom = 0, .width = 400, .height = 16};
    for (const MapCase& c : {MapCase{0, 0}, MapCase{500, 400}, MapCase{250, 200}, MapCase{0.625, 0},
                             MapCase{1.875, 2}, MapCase{-10, -8}}) {
        EXPECT_EQ(map.px(c.value), c.pixel) << "x " << c.value;
    }
    for (const MapCase& c : {MapCase{0, 15}, MapCase{8, -1}, MapCase{4, 7}, MapCase{0.25, 14},
                             MapCase{0.75, 14}, MapCase{9, -3}}) {
        EXPECT_EQ(map.py(c.value), c.pixel) << "y " << c.value;
    }
}

TEST(GraphMappingTest, LogarithmicRectangleStartsAtItsBottomDecade) {
    const GraphMapping map{
        .left = 0, .top = 1, .right = 3, .bottom = -1, .width = 300, .height = 200};
    EXPECT_EQ(map.px(2), 200);
    EXPECT_EQ(map.py(-1), 199);
    EXPECT_EQ(map.py(0), 99);
}

TEST(GraphMappingTest, VisibleTicksOfALinearAxis) {
    const std::vector<double> values{0, 2, 4, 6, 8, 10};
    std::vector<double> kept;
    for (const Tick& t : visibleTicks(values, false, 0, 9)) kept.push_back(t.position);
    EXPECT_EQ(kept, (std::vector<double>{0, 2, 4, 6, 8}));
}

// Two decades below log10(2): the decades 0.1 and 1 stand inside, at -1 and 0.
TEST(GraphMappingTest, VisibleTicksOfALogarithmicAxisAreDecades) {
    const auto decades = decadeTable();
    const std::vector<Tick> ticks = visibleTicks(decades, true, 0.30103 - 2, 0.30103);
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[0].value, 0.1);
    EXPECT_NEAR(ticks[0].position, -1, 1e-15);
    EXPECT_EQ(ticks[1].value, 1.0);
    EXPECT_EQ(ticks[1].position, 0.0);
    const std::vector<double> withZero{0.0, -1.0, 10.0};
    EXPECT_EQ(visibleTicks(withZero, true, -5, 5).size(), 1u);
}

}  // namespace
}  // namespace krnz::spectrum
