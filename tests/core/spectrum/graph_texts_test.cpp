// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/graph_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace krnz::spectrum {
namespace {

struct TextCase {
    double value;
    const char* text;
};

TEST(GraphTextsTest, TickTextsHaveThreeSignificantDigits) {
    for (const TextCase& c :
         {TextCase{0.001, "0.001"}, TextCase{12.5, "12.5"}, TextCase{100, "100"},
          TextCase{1e15, "1E+15"}, TextCase{0.0001, "0.0001"}, TextCase{123456, "123000"},
          TextCase{3.14159, "3.14"}, TextCase{-2.5, "-2.5"}, TextCase{0, "0"},
          TextCase{0.30103, "0.301"}}) {
        EXPECT_EQ(tickText(c.value), c.text) << c.value;
    }
}

TEST(GraphTextsTest, ReadoutsShowAFractionOnlyWhereThereIsOne) {
    for (const TextCase& c :
         {TextCase{12.5, "12.5"}, TextCase{250, "250"}, TextCase{0.333, "0.33"},
          TextCase{0.1, "0.1"}, TextCase{0.004, "0"}, TextCase{0.0051, "0.01"},
          TextCase{1234.5, "1230"}, TextCase{-0.5, "-0.5"}, TextCase{2.999, "3"}}) {
        EXPECT_EQ(readoutText(c.value, false), c.text) << c.value;
    }
    EXPECT_EQ(readoutText(2, true), "100");
    EXPECT_EQ(readoutText(std::log10(12.345), true), "12.3");
    EXPECT_EQ(readoutText(-3, true), "0");  // 0.001 is below 0.005
}

// A value <= 0 has no logarithm; the 0 kept in its place would read 1.
TEST(GraphTextsTest, PointReadoutsOfALogarithmicGraph) {
    GraphSetup g;
    g.x = {0, 1, 2};
    g.y = {0, 0, std::log10(0.5)};
    g.yAtMostZero = {true, false, false};
    g.xIsLog = g.yIsLog = true;
    EXPECT_EQ(pointReadouts(g, 0), (std::pair<std::string, std::string>("x:1", "y:0")));
    EXPECT_EQ(pointReadouts(g, 1), (std::pair<std::string, std::string>("x:10", "y:1")));
    EXPECT_EQ(pointReadouts(g, 2), (std::pair<std::string, std::string>("x:100", "y:0.5")));
}

// On screen the axis names give way to units; the numbers stay those of the plain readouts,
// which the printed page keeps.
TEST(GraphTextsTest, ReadoutsWithUnitsKeepTheNumbers) {
    GraphSetup g;
    g.x = {10, 12.5, 250};
    g.y = {0.25, 0.333, 0};
    g.yAtMostZero = {false, false, true};
    using Texts = std::pair<std::string, std::string>;
    EXPECT_EQ(pointReadoutsWithUnits(g, 0, "Hz", "mm/s   RMS"), (Texts("10 Hz", "0.25 mm/s RMS")));
    EXPECT_EQ(pointReadoutsWithUnits(g, 1, "Hz", "(Pa)^2 / Hz"),
              (Texts("12.5 Hz", "0.33 (Pa)^2 / Hz")));
    EXPECT_EQ(pointReadoutsWithUnits(g, 2, "Hz", ""), (Texts("250 Hz", "0")));
    g.x = {0, 1, 2};
    g.y = {0, 0, std::log10(0.5)};
    g.yAtMostZero = {true, false, false};
    g.xIsLog = g.yIsLog = true;
    EXPECT_EQ(pointReadoutsWithUnits(g, 0, "Hz", "mm/s"), (Texts("1 Hz", "0 mm/s")));
    EXPECT_EQ(pointReadoutsWithUnits(g, 2, "Hz", "mm/s"), (Texts("100 Hz", "0.5 mm/s")));
}

TEST(GraphTextsTest, HeadingNamesUnitSlotAndFrequency) {
    EXPECT_EQ(graphHeading("mm/s   RMS", 0, "max at", 12.34), "mm/s   RMS    1    max at 12.3 Hz");
    EXPECT_EQ(graphHeading("(Pa)^2 / Hz", 3, "max at", 0), "(Pa)^2 / Hz    4    max at 0.0 Hz");
}

}  // namespace
}  // namespace krnz::spectrum
