// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/ppvzx_config.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/common/error.h"
#include "support/param_name.h"

namespace krnz::report {
namespace {

struct ScaleCase {
    const char* lines;  // the standard's scale keys as they stand in the file
    bool xLog;
    bool yLog;
};

class AxisScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(AxisScale, LogInAnyCaseIsLogarithmicAnythingElseLinear) {
    const PpvzxTable t = parsePPVZXini(std::string("[S]\n") + GetParam().lines);
    ASSERT_EQ(t.standards.size(), 1u);
    EXPECT_EQ(t.standards[0].xLog, GetParam().xLog);
    EXPECT_EQ(t.standards[0].yLog, GetParam().yLog);
}

INSTANTIATE_TEST_SUITE_P(Keys, AxisScale,
                         ::testing::Values(ScaleCase{"xScale=LOG\nyScale=lin\n", true, false},
                                           ScaleCase{"xScale=lin\nyScale=Log\n", false, true},
                                           ScaleCase{"", true, true},  // missing: "log"
                                           ScaleCase{"xScale=\nyScale=logarithmic\n", false,
                                                     false}),
                         [](const auto& info) { return test::nameOf(info.param.lines); });

TEST(PpvzxConfig, InchStandardConvertsVelocitiesButNotFrequencies) {
    const PpvzxTable t = parsePPVZXini("[US]\nunit=in/s\nline00=1,0.5,10,2\n");
    const PpvzxStandard& s = t.standards.at(0);
    ASSERT_EQ(s.lines.size(), 1u);
    EXPECT_EQ(s.lines[0].lineX, (std::vector<double>{1, 10}));
    EXPECT_DOUBLE_EQ(s.lines[0].lineY[0], 12.7);
    EXPECT_DOUBLE_EQ(s.lines[0].lineY[1], 50.8);
    // The unit's defaults, y converted: 0.04..20 Hz, 0.1..10 in/s.
    EXPECT_DOUBLE_EQ(s.xStart, 0.04);
    EXPECT_DOUBLE_EQ(s.xStop, 20);
    EXPECT_DOUBLE_EQ(s.yStart, 2.54);
    EXPECT_DOUBLE_EQ(s.yStop, 254);
    EXPECT_FALSE(s.inMmPerS());
}

TEST(PpvzxConfig, OnlyExactlyMmPerSIsLeftUnconverted) {
    const PpvzxTable t = parsePPVZXini(
        "[a]\nunit=mm/s\nyStop=50\nline00=1,2\n[b]\nunit=MM/S\nyStop=50\nline00=1,2\n");
    EXPECT_DOUBLE_EQ(t.standards[0].yStop, 50);
    EXPECT_DOUBLE_EQ(t.standards[0].lines[0].lineY[0], 2);
    EXPECT_DOUBLE_EQ(t.standards[1].yStop, 50 * 25.4);
    EXPECT_DOUBLE_EQ(t.standards[1].lines[0].lineY[0], 2 * 25.4);
}

struct LinesCase {
    const char* keys;
    std::size_t lines;
};

class LineKeys : public ::testing::TestWithParam<LinesCase> {};

TEST_P(LineKeys, TheFirstMissingOrEmptyKeyEndsTheLines) {
    const PpvzxTable t = parsePPVZXini(std::string("[S]\n") + GetParam().keys);
    EXPECT_EQ(t.standards.at(0).lines.size(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Gaps, LineKeys,
                         ::testing::Values(LinesCase{"line00=1,2,3,4\nline02=5,6\n", 1},
                                           LinesCase{"line01=1,2\n", 0},
                                           LinesCase{"line00=1,2\nline01=\nline02=3,4\n", 1},
                                           LinesCase{"line00=1,2\nline01=3,4\nline02=5,6\n", 3},
                                           LinesCase{"line0=1,2\nline00=3,4\n", 1}),
                         [](const auto& info) { return test::nameOf(info.param.keys); });

TEST(PpvzxConfig, LineVerticesAreWholePairsUpToTheFirstEmptyElement) {
    const PpvzxTable t =
        parsePPVZXini("[S]\nline00=1,2,3,4,5\nline01=1,2,,3,4\nline02= 7 , 8x ,9,x\n");
    const auto& lines = t.standards.at(0).lines;
    EXPECT_EQ(lines[0].lineX, (std::vector<double>{1, 3}));
    EXPECT_EQ(lines[0].lineY, (std::vector<double>{2, 4}));
    EXPECT_EQ(lines[1].lineX, (std::vector<double>{1}));
    // Elements read with Val: the leading number, 0 when there is none.
    EXPECT_EQ(lines[2].lineX, (std::vector<double>{7, 9}));
    EXPECT_EQ(lines[2].lineY, (std::vector<double>{8, 0}));
}

struct LabelsCase {
    const char* general;
    std::vector<double> x;
    std::vector<double> y;
};

class Labels : public ::testing::TestWithParam<LabelsCase> {};

TEST_P(Labels, EveryElementUpToTheFirstEmptyOneAndAlwaysTheFirst) {
    const PpvzxTable t = parsePPVZXini(std::string("[general]\n") + GetParam().general);
    EXPECT_EQ(t.xLabels, GetParam().x);
    EXPECT_EQ(t.yLabels, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(
    General, Labels,
    ::testing::Values(LabelsCase{"", {1, 100}, {1, 100}},
                      LabelsCase{"xLabels=1,10,100\nyLabels=\n", {1, 10, 100}, {0}},
                      LabelsCase{"xLabels=2.5\nyLabels=abc,5\n", {2.5}, {0, 5}},
                      LabelsCase{"xLabels=1,,100\nyLabels=3,4,\n", {1}, {3, 4}}),
    [](const auto& info) { return test::nameOf(info.param.general); });

TEST(PpvzxConfig, ANonNumericFirstFrequencyLabelIsAnError) {
    for (const char* text : {"[general]\nxLabels=abc,10\n", "[general]\nxLabels=\n"}) {
        try {
            (void)parsePPVZXini(text);
            ADD_FAILURE() << text;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), kErrTypeMismatch);
        }
    }
}

TEST(PpvzxConfig, StandardsAreTheOtherSectionsInFileOrder) {
    const PpvzxTable t = parsePPVZXini("[b]\n[General]\nxLabels=5,50\n[a]\n[general]\n");
    ASSERT_EQ(t.standards.size(), 2u);
    EXPECT_EQ(t.standards[0].name, "b");
    EXPECT_EQ(t.standards[1].name, "a");
    EXPECT_EQ(t.xLabels, (std::vector<double>{5, 50}));
    EXPECT_EQ(t.indexOf("a"), 1);
    EXPECT_EQ(t.indexOf("A"), -1);
    EXPECT_TRUE(parsePPVZXini("[general]\n").standards.empty());
    EXPECT_TRUE(readPPVZXini("/nonexistent/PPVZX.ini").standards.empty());
}

TEST(PpvzxConfig, LineKeysAreNumberedWithTwoDigits) {
    EXPECT_EQ(lineKey(0), "line00");
    EXPECT_EQ(lineKey(7), "line07");
    EXPECT_EQ(lineKey(99), "line99");
}

// The shipped file: the US default first, and the USBM corners where the constant-displacement
// lines v = 2 pi f d meet the velocity plateaus.
TEST(ShippedPpvzxIni, UsCornersFollowFromTheDisplacements) {
    const PpvzxTable t =
        readPPVZXini(std::filesystem::path(KRNZ_SOURCE_DIR) / "data" / "PPVZX.ini");
    ASSERT_EQ(t.indexOf("US"), 0);
    EXPECT_GE(t.indexOf("DIN 4150-3"), 0);
    EXPECT_GE(t.indexOf("BS 7385-2"), 0);
    const PpvzxStandard& us = t.standards[0];
    ASSERT_EQ(us.lines.size(), 2u);
    auto displacementIn = [](const LimitLine& l, std::size_t k) {
        return l.lineY[k] / 25.4 / (2 * std::numbers::pi * l.lineX[k]);
    };
    for (const LimitLine& l : us.lines) {
        ASSERT_EQ(l.lineX.size(), 5u);
        EXPECT_NEAR(displacementIn(l, 0), 0.030, 0.030 * 5e-4);
        EXPECT_NEAR(displacementIn(l, 1), 0.030, 0.030 * 5e-4);
        EXPECT_NEAR(displacementIn(l, 2), 0.008, 0.008 * 5e-4);
        EXPECT_NEAR(displacementIn(l, 3), 0.008, 0.008 * 5e-4);
        EXPECT_DOUBLE_EQ(l.lineY[3], 2 * 25.4);
        EXPECT_DOUBLE_EQ(l.lineX[4], 500);
    }
    EXPECT_DOUBLE_EQ(us.lines[0].lineY[1], 0.75 * 25.4);
    EXPECT_DOUBLE_EQ(us.lines[1].lineY[1], 0.50 * 25.4);
    const PpvzxStandard& din = t.standards[static_cast<std::size_t>(t.indexOf("DIN 4150-3"))];
    EXPECT_FALSE(din.xLog);
    EXPECT_EQ(din.lines.size(), 3u);
    // Light structures below 4 Hz: 0.6 mm zero to peak, joining 15 mm/s at 4 Hz.
    const PpvzxStandard& bs = t.standards[static_cast<std::size_t>(t.indexOf("BS 7385-2"))];
    ASSERT_EQ(bs.lines.size(), 2u);
    const LimitLine& light = bs.lines[1];
    ASSERT_GE(light.lineX.size(), 3u);
    for (std::size_t k : {0u, 1u})
        EXPECT_NEAR(light.lineY[k] / (2 * std::numbers::pi * light.lineX[k]), 0.6, 0.6 * 5e-4);
    EXPECT_EQ(light.lineY[1], 15);
    EXPECT_EQ(light.lineX[2], 4);
    EXPECT_EQ(light.lineY[2], 15);
}

}  // namespace
}  // namespace krnz::report
