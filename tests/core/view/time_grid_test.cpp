// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/time_grid.h"

#include <gtest/gtest.h>

namespace krnz::view {
namespace {

std::vector<std::string> labels(const std::vector<TimeGridLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.label);
    return out;
}

TEST(TimeGrid, PretriggerStartsAtTheFirstStepInsideTheRecord) {
    // 1 s record, 0.25 s pretrigger, zoom 1 (step 0.1 s), 500 rows: 2 ms per row.
    const auto lines = timeGridLines(1.0, 0.25, 0.002, timeGridStep(1.0));
    ASSERT_FALSE(lines.empty());
    EXPECT_DOUBLE_EQ(lines[0].timeS, -0.2);
    EXPECT_NEAR(lines[0].row, 25.0, 1e-9) << "0.05 s below the top";
    EXPECT_EQ(labels(lines), (std::vector<std::string>{"-0.2", "-0.1", "0.0", "0.1", "0.2", "0.3",
                                                       "0.4", "0.5", "0.6", "0.7"}));
    EXPECT_NEAR(lines.back().row, 475.0, 1e-6);
}

TEST(TimeGrid, NoLabelAtTheEndOfTheRecord) {
    const auto lines = timeGridLines(2.0, 0.0, 0.004, timeGridStep(2.0));
    EXPECT_EQ(labels(lines), (std::vector<std::string>{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0",
                                                       "1.2", "1.4", "1.6", "1.8"}));
    EXPECT_NEAR(lines[1].row, 50.0, 1e-9);
}

TEST(TimeGrid, ZoomedSpanChoosesTheFinerStep) {
    // 10 s at zoom 4: span 2.5 s, step 0.25 s, two decimals; the strip is the whole record.
    const auto lines = timeGridLines(10.0, 0.0, 0.001, timeGridStep(10.0 / 4));
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[1].label, "0.25");
    EXPECT_EQ(lines.back().label, "9.75");
}

TEST(TimeGrid, DegenerateInputsDrawNothing) {
    EXPECT_TRUE(timeGridLines(1.0, 0.0, 0.0, timeGridStep(1.0)).empty());
    EXPECT_TRUE(timeGridLines(0.0, 0.0, 0.001, timeGridStep(0.0)).empty());
    EXPECT_TRUE(timeGridLines(1.0, 0.0, 0.001, TimeGrid{0.0, "#0"}).empty());
}

TEST(TimeGrid, AmplitudeGridDividesTheStripInEight) {
    EXPECT_EQ(amplitudeGridColumn(401, 1), 50);
    EXPECT_EQ(amplitudeGridColumn(401, 7), 350);
    EXPECT_EQ(amplitudeGridColumn(100, 1), 12);  // 12.375
    EXPECT_EQ(amplitudeGridColumn(100, 4), 50);  // 49.5, half to even
}

TEST(TimeGrid, ScaleLineTexts) {
    struct Row {
        double f;
        const char* left;
        const char* right;
    };
    const Row rows[] = {
        {8, "-8", " 8"}, {0.125, "-0.125", " 0.125"}, {250000, "-250000", " 250000"}};
    for (const Row& r : rows) {
        const ScaleLineTexts t = scaleLineTexts(r.f);
        EXPECT_EQ(t.left, r.left);
        EXPECT_EQ(t.centre, "0");
        EXPECT_EQ(t.right, r.right);
    }
}

}  // namespace
}  // namespace krnz::view
