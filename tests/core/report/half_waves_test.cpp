// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/half_waves.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/event/units.h"
#include "core/settings/text_lookup.h"
#include "support/event_builder.h"
#include "support/param_name.h"

namespace krnz::report {
namespace {

TEST(HalfWaves, TheListStartsWith16AndEndsWithAll) {
    const auto entries = nPeaksEntries(builtinEnglish());
    EXPECT_EQ(entries[0], "16");
    EXPECT_EQ(nPeaksOfSelection(0, entries), 16);
    EXPECT_EQ(nPeaksOfSelection(1, entries), std::nullopt);
}

struct UnitCase {
    std::uint8_t fileUnit;
    std::int16_t processedUnit;
    bool processed;
    bool plottable;
};

class Plottable : public ::testing::TestWithParam<UnitCase> {};

TEST_P(Plottable, VelocitiesOfTheRowsInView) {
    Event e = test::makeEvent({{1, -1, 1, -1}});
    e.channels[0].unit = GetParam().fileUnit;
    e.sample.curUnit[0] = GetParam().processedUnit;
    EXPECT_EQ(updateHalfWaves(e, GetParam().processed, 16)[0], GetParam().plottable);
}

INSTANTIATE_TEST_SUITE_P(Units, Plottable,
                         ::testing::Values(UnitCase{kUnitMmPerS, kUnitPa, false, true},
                                           UnitCase{kUnitIps, kUnitPa, false, true},
                                           UnitCase{kUnitPa, kUnitMmPerS, false, false},
                                           UnitCase{kUnitMmPerS, kUnitMicrometre, true, false},
                                           UnitCase{kUnitPa, kUnitIps, true, true},
                                           UnitCase{kUnitUndef, kUnitUndef, false, false}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::numberedName(
                                 info.index,
                                 "file unit " + std::to_string(p.fileUnit) + " processed unit " +
                                     std::to_string(p.processedUnit) +
                                     (p.processed ? " processed shown" : " file shown"));
                         });

TEST(HalfWaves, TheChoiceSizesEveryList) {
    // Eight complete half-waves between the first and the last run.
    std::vector<float> row;
    for (int k = 0; k < 5; ++k) {
        const float a = static_cast<float>(k + 1);
        row.insert(row.end(), {a, a / 2, -a, -a / 2});
    }
    Event e = test::makeEvent({row, row, {}, {}});
    updateHalfWaves(e, false, std::nullopt);
    const std::size_t all = e.sample.highAmps[0].size();
    EXPECT_GT(all, 4u);
    EXPECT_EQ(e.sample.highAmpFrqs[0].size(), all);
    updateHalfWaves(e, false, 4);
    for (int c = 0; c < kSlots; ++c) {
        EXPECT_EQ(e.sample.highAmps[static_cast<std::size_t>(c)].size(), 4u) << c;
        EXPECT_EQ(e.sample.highAmpFrqs[static_cast<std::size_t>(c)].size(), 4u) << c;
    }
    updateHalfWaves(e, false, 16);
    // More places than half-waves: the rest stay 0.
    EXPECT_EQ(std::count(e.sample.highAmps[0].begin(), e.sample.highAmps[0].end(), 0.0),
              static_cast<std::ptrdiff_t>(16 - all));
}

}  // namespace
}  // namespace krnz::report
