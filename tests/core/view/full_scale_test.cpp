// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/full_scale.h"

#include <gtest/gtest.h>

#include "core/event/units.h"
#include "core/settings/scale_table.h"
#include "support/event_builder.h"

namespace krnz::view {
namespace {

using settings::AmpScale;
using settings::CheckState;

TEST(FullScale, FirstTableEntryThatHoldsThePeak) {
    struct Row {
        double peak;
        std::size_t position;
    };
    const Row rows[] = {
        {0, 0},
        {0.1, 0},
        {0.1000001, 1},
        {2.5, 10},
        {2.6, 11},
        {8, 13},
        {80000, 41},
        {80000.5, 49},
        {99999, 49},
        {100000, 49},
        {250000, 52},
        // Above the largest entry the largest entry is kept rather than running off the table.
        {250001, 52},
        {1e30, 52},
    };
    for (const Row& r : rows) EXPECT_EQ(fullScalePositionFor(r.peak), r.position) << r.peak;
}

Event threeChannelEvent() {
    Event e =
        test::makeEvent({{0.0f, 2.5f, -1.0f}, {0.0f, -6.0f, 1.0f}, {0.0f, 30.0f}, {0.0f, -0.3f}});
    e.channels[2].unit = kUnitPa;
    return e;
}

settings::Options allIn(AmpScale mode) {
    settings::Options o;
    for (auto& slot : o.slotOptions) {
        slot.ampScale = mode;
        slot.manualScale = 0;
    }
    return o;
}

TEST(FullScale, AutoTakesTheSlotsOwnPeakExactlyOnATableValue) {
    Event e = threeChannelEvent();
    settings::Options o = allIn(AmpScale::Auto);
    for (int c = 0; c < 4; ++c) autoScale(o, e, false, c);
    EXPECT_EQ(settings::scaleTable()[o.slotOptions[0].manualScale], 2.5);
    EXPECT_EQ(settings::scaleTable()[o.slotOptions[1].manualScale], 8);
    EXPECT_EQ(settings::scaleTable()[o.slotOptions[2].manualScale], 40);
    EXPECT_EQ(settings::scaleTable()[o.slotOptions[3].manualScale], 0.4);
}

TEST(FullScale, NormalizeSharesTheLargestPeakOfActiveSlotsInOneUnit) {
    Event e = threeChannelEvent();
    settings::Options o = allIn(AmpScale::Normalize);
    o.slotOptions[3].channelOn = CheckState::Unchecked;  // mm/s too, but not shown
    autoScale(o, e, false, 0);
    EXPECT_EQ(settings::scaleTable()[o.slotOptions[0].manualScale], 8);  // shares slot 1's 6 mm/s
    EXPECT_EQ(o.slotOptions[1].manualScale, o.slotOptions[0].manualScale);
    EXPECT_EQ(o.slotOptions[2].manualScale, 0u) << "the Pa channel is scaled on its own";
    EXPECT_EQ(o.slotOptions[3].manualScale, 0u) << "inactive slots stay as they are";
    autoScale(o, e, false, 2);
    EXPECT_EQ(settings::scaleTable()[o.slotOptions[2].manualScale], 40);
}

TEST(FullScale, NormalizeGroupsLeaveManualAndAutoSlotsAlone) {
    Event e = threeChannelEvent();
    settings::Options o = allIn(AmpScale::Normalize);
    o.slotOptions[1].ampScale = AmpScale::Manual;
    o.slotOptions[1].manualScale = 3;
    autoScale(o, e, false, 0);
    EXPECT_EQ(settings::scaleTable()[o.slotOptions[0].manualScale], 2.5);
    autoScale(o, e, false, 1);
    EXPECT_EQ(o.slotOptions[1].manualScale, 3u);
}

TEST(FullScale, ProcessedEventsGroupByTheOperatorsUnit) {
    Event e = threeChannelEvent();
    e.sample.curUnit = {kUnitMmPerS, kUnitMicrometre, kUnitMmPerS, kUnitMicrometre};
    settings::Options o = allIn(AmpScale::Normalize);
    autoScale(o, e, true, 0);
    // Slot 2 (30, Pa in the file) now shares the mm/s group with slot 0; slot 1 does not.
    EXPECT_EQ(settings::scaleTable()[o.slotOptions[0].manualScale], 40);
    EXPECT_EQ(o.slotOptions[2].manualScale, o.slotOptions[0].manualScale);
    EXPECT_EQ(o.slotOptions[1].manualScale, 0u);
}

}  // namespace
}  // namespace krnz::view
