// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/common/leading_number.h"
#include "support/param_name.h"

namespace krnz {
namespace {

struct ValCase {
    std::string text;
    double value;
};

class Val : public testing::TestWithParam<ValCase> {};

TEST_P(Val, LeadingNumber) {
    EXPECT_DOUBLE_EQ(val(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Val,
    testing::Values(ValCase{"80", 80}, ValCase{"2.5Hz", 2.5}, ValCase{" -3", -3}, ValCase{"+7", 7},
                    ValCase{"1 000", 1000}, ValCase{"\t4\n2", 42}, ValCase{".5", 0.5},
                    ValCase{"5.", 5}, ValCase{"1e3", 1000}, ValCase{"1D-2x", 0.01},
                    ValCase{"2e", 2}, ValCase{"2e+", 2}, ValCase{"3-4", 3}, ValCase{"s", 0},
                    ValCase{"", 0}, ValCase{"-", 0}, ValCase{".", 0}, ValCase{"1e-999", 0}),
    [](const auto& info) { return test::numberedName(info.index, info.param.text); });

TEST(Val, HugeExponentIsInfinite) {
    EXPECT_TRUE(std::isinf(val("1e999")));
    EXPECT_LT(val("-1e999"), 0);
}

TEST(LeadingNumber, TellsNoNumberFromZero) {
    EXPECT_FALSE(leadingNumber("abc"));
    EXPECT_FALSE(leadingNumber("-x"));
    EXPECT_EQ(leadingNumber("0"), 0.0);
}

}  // namespace
}  // namespace krnz
