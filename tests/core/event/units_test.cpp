// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/units.h"

#include <gtest/gtest.h>

#include <array>

#include "core/event/event.h"

namespace krnz {
namespace {

struct Derived {
    int integUnit;
    double integScale;
    int diffUnit;
    double diffScale;
};

constexpr int kUndef = 19;
constexpr double kPaPerPsi = 6894.757;  // 1 psi = 6894.757 Pa
constexpr double kInPerS2PerGravity = 386.09;

// Per unit code, 0 µm .. 19 undef: the integral and derivative each go into a unit of the
// dimension one up or down, or into "undef" when the table has none of that dimension.
// Pressures derive into the pascal-based Pas and Pa/s, so kPa, MPa and psi scale into pascal.
const std::array<Derived, kUnitCount> kExpected = {{
    {kUndef, 1, 2, 1.0 / 1000},          // µm -> mm/s
    {kUndef, 1, 2, 1},                   // mm -> mm/s
    {0, 1000, 4, 1.0 / 1000},            // mm/s -> µm, m/s2
    {18, 1, 5, 1 / kInPerS2PerGravity},  // ips -> in, g
    {2, 1000, kUndef, 1},                // m/s2 -> mm/s
    {3, kInPerS2PerGravity, kUndef, 1},  // g -> ips
    {16, 1, 17, 1},                      // Pa
    {16, 1000, 17, 1000},                // kPa
    {16, 1e6, 17, 1e6},                  // MPa
    {16, kPaPerPsi, 17, kPaPerPsi},      // psi
    {kUndef, 1, kUndef, 1},              // dBA
    {kUndef, 1, kUndef, 1},              // N
    {kUndef, 1, kUndef, 1},              // kN
    {kUndef, 1, kUndef, 1},              // mV
    {kUndef, 1, kUndef, 1},              // Volt
    {kUndef, 1, kUndef, 1},              // EU
    {kUndef, 1, 6, 1},                   // Pas -> Pa
    {6, 1, kUndef, 1},                   // Pa/s -> Pa
    {kUndef, 1, 3, 1},                   // in -> ips
    {kUndef, 1, kUndef, 1},              // undef
}};

class DerivedUnits : public testing::TestWithParam<int> {};

TEST_P(DerivedUnits, OfEachUnitCode) {
    const int unit = GetParam();
    ChannelRecord ch;
    ch.unit = static_cast<std::uint8_t>(unit);
    setDerivedUnits(ch);
    const Derived& want = kExpected[static_cast<std::size_t>(unit)];
    EXPECT_EQ(ch.integUnit, want.integUnit) << unitName(unit);
    EXPECT_DOUBLE_EQ(ch.integScale, want.integScale) << unitName(unit);
    EXPECT_EQ(ch.diffUnit, want.diffUnit) << unitName(unit);
    EXPECT_DOUBLE_EQ(ch.diffScale, want.diffScale) << unitName(unit);
}

INSTANTIATE_TEST_SUITE_P(AllCodes, DerivedUnits, testing::Range(0, kUnitCount));

TEST(DerivedUnits, NamesOfTheDerivedUnits) {
    // The panel shows these names, so a code off by one shows as a wrong unit.
    ChannelRecord ch;
    ch.unit = kUnitPsi;
    setDerivedUnits(ch);
    EXPECT_EQ(unitName(ch.integUnit), "Pas");
    EXPECT_EQ(unitName(ch.diffUnit), "Pa/s");
    ch.unit = kUnitMmPerS;
    setDerivedUnits(ch);
    EXPECT_EQ(unitName(ch.integUnit), "\xC2\xB5m");
    EXPECT_EQ(unitName(ch.diffUnit), "m/s2");
    ch.unit = 1;
    setDerivedUnits(ch);
    EXPECT_EQ(unitName(ch.integUnit), "undef");
    EXPECT_EQ(unitName(ch.diffUnit), "mm/s");
}

TEST(PascalPerUnit, PressureUnitsAndOthers) {
    EXPECT_EQ(pascalPerUnit(kUnitPa), 1.0);
    EXPECT_EQ(pascalPerUnit(7), 1000.0);
    EXPECT_EQ(pascalPerUnit(8), 1e6);
    EXPECT_EQ(pascalPerUnit(kUnitPsi), kPaPerPsi);
    EXPECT_EQ(pascalPerUnit(kUnitMmPerS), 1.0);
}

}  // namespace
}  // namespace krnz
