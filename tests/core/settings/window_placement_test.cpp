// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/window_placement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace krnz::settings {

void PrintTo(const PixelRect& r, std::ostream* os) {
    *os << r.left << "," << r.top << " " << r.width << "x" << r.height;
}

namespace {

TEST(FitFrame, AFrameIsShrunkToTheAreaThenMovedWhollyInsideIt) {
    struct Case {
        const char* what;
        PixelRect frame;
        PixelRect area;
        PixelRect fitted;
    };
    const PixelRect screen{0, 0, 1600, 1000};
    // A panel on the left (60 px) and one at the top (30 px).
    const PixelRect panels{60, 30, 1540, 970};
    const Case cases[] = {
        {"fits: kept where it was", {100, 50, 800, 600}, screen, {100, 50, 800, 600}},
        {"exactly as large as the area", {0, 0, 1600, 1000}, screen, {0, 0, 1600, 1000}},
        {"title bar above the screen", {100, -24, 800, 600}, screen, {100, 0, 800, 600}},
        {"bottom edge below the screen", {100, 600, 800, 600}, screen, {100, 400, 800, 600}},
        {"right edge beyond the screen", {1200, 100, 800, 600}, screen, {800, 100, 800, 600}},
        {"left of the screen", {-50, 100, 800, 600}, screen, {0, 100, 800, 600}},
        {"taller than the screen", {100, 20, 900, 1100}, screen, {100, 0, 900, 1000}},
        {"larger both ways", {300, 300, 2000, 1200}, screen, {0, 0, 1600, 1000}},
        {"under the panels", {0, 0, 800, 600}, panels, {60, 30, 800, 600}},
        {"taller than the area below a panel", {100, 0, 800, 990}, panels, {100, 30, 800, 970}},
        {"one pixel over the right edge", {801, 0, 800, 600}, screen, {800, 0, 800, 600}},
    };
    for (const Case& c : cases) EXPECT_EQ(fitFrame(c.frame, c.area), c.fitted) << c.what;
}

}  // namespace
}  // namespace krnz::settings
