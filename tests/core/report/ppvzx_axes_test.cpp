// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/ppvzx_axes.h"

#include <gtest/gtest.h>

#include "core/common/error.h"
#include "support/param_name.h"

namespace krnz::report {
namespace {

constexpr double kPixel = 15.0;

PpvzxStandard standard(bool xLog, bool yLog) {
    PpvzxStandard s;
    s.xLog = xLog;
    s.yLog = yLog;
    return s;
}

struct AxisCase {
    bool log;
    std::vector<double> labels;
    double value;
    double fraction;  // of the axis from its first label
};

class Placement : public ::testing::TestWithParam<AxisCase> {};

TEST_P(Placement, ValuesLandBetweenTheFirstAndLastLabel) {
    const AxisCase& c = GetParam();
    const PpvzxTable table{c.labels, c.labels, {}};
    const PpvzxStandard s = standard(c.log, c.log);
    PpvzxAxes axes(table, s, 1015, 615, kPixel, kPixel);
    EXPECT_NEAR(axes.xToPixel(c.value), c.fraction * 1000, 1e-9);
    EXPECT_NEAR(axes.yToPixel(c.value), 600 - c.fraction * 600, 1e-9);
    EXPECT_TRUE(axes.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Axes, Placement,
    ::testing::Values(AxisCase{true, {1, 100}, 10, 0.5}, AxisCase{true, {1, 10, 1000}, 10, 1.0 / 3},
                      AxisCase{true, {2, 2000}, 2000, 1.0}, AxisCase{false, {1, 101}, 51, 0.5},
                      AxisCase{false, {1, 2, 5, 11}, 6, 0.5},
                      // beyond the last label: off the plot, as computed
                      AxisCase{true, {1, 100}, 1000, 1.5}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::numberedName(
            info.index, std::string(p.log ? "log" : "lin") + " at " + test::numberText(p.value));
    });

TEST(PpvzxAxes, BelowOneSitsOnTheLeftAndBottomEdges) {
    const PpvzxTable table{{0.1, 100}, {0.1, 100}, {}};
    for (const bool log : {true, false}) {
        const PpvzxStandard s = standard(log, log);
        PpvzxAxes axes(table, s, 1015, 615, kPixel, kPixel);
        EXPECT_EQ(axes.xToPixel(0.5), 1.0);
        EXPECT_EQ(axes.xToPixel(0.0), 1.0);
        EXPECT_EQ(axes.yToPixel(0.5), 600.0);
        EXPECT_EQ(axes.yToPixel(-3.0), 600.0);
        EXPECT_TRUE(axes.messages().empty());
    }
}

TEST(PpvzxAxes, ZeroOnALogarithmicAxisIsNotedOnceAndCountsAsZero) {
    const PpvzxTable table{{0, 100}, {0, 100}, {}};
    const PpvzxStandard s = standard(true, true);
    PpvzxAxes axes(table, s, 1015, 615, kPixel, kPixel);
    // ln 0 taken as 0: the axis runs from 0 to ln 100.
    EXPECT_NEAR(axes.xToPixel(10), 500, 1e-9);
    EXPECT_NEAR(axes.xToPixel(100), 1000, 1e-9);
    EXPECT_NEAR(axes.yToPixel(10), 300, 1e-9);
    EXPECT_EQ(axes.messages(), (std::vector<std::string>{"xLog(0) error", "yLog(0) error"}));

    const PpvzxStandard linear = standard(false, false);
    PpvzxAxes plain(table, linear, 1015, 615, kPixel, kPixel);
    EXPECT_NEAR(plain.xToPixel(10), 100, 1e-9);
    EXPECT_TRUE(plain.messages().empty());
}

TEST(PpvzxAxes, CoincidingEndLabelsDivideByZero) {
    const PpvzxTable table{{10}, {1, 100}, {}};
    const PpvzxStandard s = standard(true, true);
    PpvzxAxes axes(table, s, 1015, 615, kPixel, kPixel);
    try {
        (void)axes.xToPixel(20);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrDivisionByZero);
    }
    EXPECT_NEAR(axes.yToPixel(10), 300, 1e-9);
}

}  // namespace
}  // namespace krnz::report
