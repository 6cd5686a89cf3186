// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chain_test_support.h"
#include "core/analysis/operator_chain.h"
#include "core/common/error.h"
#include "support/param_name.h"

namespace krnz::analysis {
namespace {

using test::KeyTexts;
using test::RecordingReporter;
using Strings = std::vector<std::string>;

constexpr std::int32_t kN = 64;

// Rows hold the constants 3, 4, 12 and 0 (mm/s, mm/s, mm/s, Pa), sampled at 1024 Hz.
Event constantEvent() {
    Event event;
    SampleRecord& rec = event.sample;
    rec.nSamplesPerChannel = kN;
    rec.nSecPerChannel = kN / 1024.0f;
    rec.frq = 1024;
    rec.sampleInterval = 1.0 / 1024;
    rec.sampleData = SampleMatrix(kN);
    const float values[kSlots] = {3, 4, 12, 0};
    const std::uint8_t units[kSlots] = {2, 2, 2, 6};
    for (int c = 0; c < kSlots; ++c) {
        event.channels[c].unit = units[c];
        for (std::int32_t i = 0; i < kN; ++i) rec.sampleData(c, i) = values[c];
    }
    calcMinMax(rec);
    return event;
}

class ShowTest : public testing::Test {
  protected:
    void show(const EncodedLists& lists) {
        chain.setLoadedLists(lists);
        chain.init(event);
        chain.showChain(event);
    }
    float at(int row, std::int32_t i = kN / 2) const { return event.sample.sampleData(row, i); }

    KeyTexts texts;
    RecordingReporter reporter;
    OperatorChain chain{texts, reporter};
    Event event = constantEvent();
};

TEST_F(ShowTest, EmptyListsOnlyRebuildFromSources) {
    chain.setSourceChannel(0, 3);
    chain.setSourceChannel(3, 1);
    show({});
    EXPECT_EQ(at(0), 12.0f);
    EXPECT_EQ(at(1), 4.0f);
    EXPECT_EQ(at(3), 3.0f);
    EXPECT_EQ(event.sample.curUnit[3], 2);  // the unit of channel 1, not of slot 3
    EXPECT_EQ(event.sample.chMax[0], 12.0f);
    EXPECT_EQ(event.sample.allMin, 3.0f);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(ShowTest, ShowingTwiceStartsFromTheLoadedCopy) {
    show({Strings{"0"}, Strings{"1"}, Strings{"4"}, Strings{"6 s 0"}});
    const std::vector<float> first(event.sample.sampleData.row(2).begin(),
                                   event.sample.sampleData.row(2).end());
    reporter.messages.clear();
    chain.showChain(event);
    const std::vector<float> second(event.sample.sampleData.row(2).begin(),
                                    event.sample.sampleData.row(2).end());
    EXPECT_EQ(first, second);
    EXPECT_EQ(event.sample.curUnit[0], 0);
    EXPECT_EQ(event.sample.curUnit[1], 4);
    EXPECT_TRUE(event.sample.rmsFlag[2]);
}

TEST_F(ShowTest, GroupsInDifferentOrdersRunAsTheirParticipantsBecomeReady) {
    // Group 1 waits in row 0 (row 1 and row 2 hold group 0 first); group 0 is ready, runs, and
    // only then group 1 writes row 2: so group 0 saw row 2 as loaded.
    show(
        {Strings{"6 s 1"}, Strings{"6 s 0", "6 s 1"}, Strings{"6 s 0", "6 d 1"}, Strings{"6 d 0"}});
    EXPECT_FLOAT_EQ(at(3), std::sqrt(16.0f + 144.0f));
    EXPECT_FLOAT_EQ(at(2), 5.0f);
    EXPECT_TRUE(reporter.messages.empty());
}

class SourceAndDestination : public ShowTest, public testing::WithParamInterface<Strings> {};

// Both orders occur: buttons put the source entry first, a selection or a macro may not.
TEST_P(SourceAndDestination, RowTakesPartWithItsOldSamples) {
    show({GetParam(), Strings{"6 s 4"}, Strings{}, Strings{}});
    EXPECT_FLOAT_EQ(at(0), 5.0f);
    EXPECT_FLOAT_EQ(at(1), 4.0f);
    EXPECT_TRUE(reporter.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Orders, SourceAndDestination,
                         testing::Values(Strings{"6 s 4", "6 d 4"}, Strings{"6 d 4", "6 s 4"}),
                         test::PrintedName());

TEST_F(ShowTest, OperatorsAroundResultantsRunInListOrder) {
    // Row 3 gets the resultant of rows 0 and 1 (mm/s), then integrates it: constant -> zeros.
    // Row 0 differentiates only after giving its samples to the resultant.
    show({Strings{"6 s 0", "1"}, Strings{"6 s 0"}, Strings{}, Strings{"6 d 0", "0"}});
    EXPECT_EQ(at(3), 0.0f);
    EXPECT_EQ(event.sample.curUnit[3], 0);
    EXPECT_EQ(event.sample.curUnit[0], 4);
    EXPECT_TRUE(reporter.messages.empty());
}

// Incomplete and deadlocked groups: the run ends, the group is skipped with a message.
struct OrphanCase {
    const char* name;
    EncodedLists lists;
    std::vector<float> expected;  // rows after the run
    std::size_t messages;
};

class Orphans : public ShowTest, public testing::WithParamInterface<OrphanCase> {};

TEST_P(Orphans, RunEndsAndSkipsGroup) {
    const OrphanCase& c = GetParam();
    show(c.lists);
    for (int r = 0; r < kSlots; ++r)
        EXPECT_FLOAT_EQ(at(r), c.expected[r]) << c.name << " row " << r;
    ASSERT_EQ(reporter.messages.size(), c.messages) << c.name;
    for (const std::string& m : reporter.messages) {
        const bool skipped =
            m.starts_with("<toolbox.resultantSkipped>\r\nf = <toolbox.resultant>\r\nN = ");
        EXPECT_TRUE(skipped || m == "<toolbox.illegalOperator>") << m;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Orphans,
    testing::Values(OrphanCase{"lone source",
                               {Strings{"6 s 5", "1"}, Strings{}, Strings{}, Strings{}},
                               {0, 4, 12, 0},
                               1},
                    OrphanCase{"no destination",
                               {Strings{"6 s 5"}, Strings{"6 s 5"}, Strings{}, Strings{}},
                               {3, 4, 12, 0},
                               1},
                    OrphanCase{"one source",
                               {Strings{"6 s 5"}, Strings{}, Strings{}, Strings{"6 d 5"}},
                               {3, 4, 12, 0},
                               1},
                    OrphanCase{
                        "two destinations",
                        {Strings{"6 s 5"}, Strings{"6 s 5"}, Strings{"6 d 5"}, Strings{"6 d 5"}},
                        {3, 4, 12, 0},
                        1},
                    OrphanCase{"four sources",
                               {Strings{"6 s 5"}, Strings{"6 s 5"}, Strings{"6 s 5", "6 d 5"},
                                Strings{"6 s 5"}},
                               {3, 4, 12, 0},
                               1},
                    OrphanCase{"two groups waiting for each other",
                               {Strings{"6 s 0", "6 s 1"}, Strings{"6 s 1", "6 s 0"},
                                Strings{"6 d 0"}, Strings{"6 d 1"}},
                               {3, 4, 12, 5},
                               1},
                    OrphanCase{"malformed entries",
                               {Strings{"6", "6 x 2", "6 s", "6 s 9999999999999999"}, Strings{},
                                Strings{}, Strings{}},
                               {3, 4, 12, 0},
                               4}),
    [](const auto& info) { return test::nameOf(info.param.name); });

TEST_F(ShowTest, UnknownOperatorAndIllegalUnitDoNotStopTheRun) {
    show({Strings{"0", "0", "9"}, Strings{"1"}, Strings{}, Strings{}});
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0], "<toolbox.genIllegalUnit>\r\nf = <toolbox.integrate>\r\nc = 1");
    EXPECT_EQ(reporter.messages[1], "<toolbox.illegalOperator>");
    EXPECT_EQ(event.sample.curUnit[0], 0);
    EXPECT_EQ(event.sample.curUnit[1], 4);
}

// The rows run side by side up to their resultants; what they say still comes row by row.
TEST_F(ShowTest, MessagesComeInRowOrder) {
    show({Strings{"0", "0"}, Strings{"0", "0"}, Strings{"0", "0"}, Strings{}});
    ASSERT_EQ(reporter.messages.size(), 3u);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(
            reporter.messages[static_cast<std::size_t>(r)],
            "<toolbox.genIllegalUnit>\r\nf = <toolbox.integrate>\r\nc = " + std::to_string(r + 1));
}

TEST_F(ShowTest, InterpolatedRowsReplaceTheirExtremes) {
    for (int c = 0; c < kSlots; ++c)
        for (std::int32_t i = 0; i < kN; ++i) event.sample.sampleData(c, i) = 0.0f;
    event.sample.sampleData(1, 20) = -7.0f;
    event.sample.sampleData(1, 30) = 2.0f;
    event.sample.sampleData(2, 40) = 1.0f;
    chain.setIntOn(1, true);
    show({});
    const SampleRecord& rec = event.sample;
    EXPECT_EQ(rec.chMax[1], 7.0f);
    EXPECT_EQ(rec.chMin[1], -7.0f);
    EXPECT_EQ(rec.chMinIndex[1], 20);
    EXPECT_EQ(rec.chMaxIndex[1], 30);  // from the peak scan
    EXPECT_EQ(rec.chMax[2], 1.0f);     // not interpolated
    EXPECT_EQ(rec.chMin[2], 0.0f);
    EXPECT_EQ(rec.allMax, 7.0f);
    EXPECT_EQ(rec.allMin, -7.0f);
}

TEST_F(ShowTest, CopyMustBelongToTheEvent) {
    EXPECT_THROW(chain.showChain(event), Error);  // no init yet
    chain.init(event);
    Event longer = constantEvent();
    longer.sample.sampleData = SampleMatrix(kN + 1);
    EXPECT_THROW(chain.showChain(longer), Error);
}

TEST_F(ShowTest, RestorePutsLoadedSamplesBack) {
    show({Strings{"0"}, Strings{"4"}, Strings{}, Strings{}});
    chain.restore(event);
    const Event fresh = constantEvent();
    for (int r = 0; r < kSlots; ++r) {
        EXPECT_EQ(at(r), fresh.sample.sampleData(r, kN / 2));
        EXPECT_EQ(event.sample.curUnit[r], fresh.channels[r].unit);
        EXPECT_FALSE(event.sample.rmsFlag[r]);
        EXPECT_EQ(event.sample.chMax[r], fresh.sample.chMax[r]);
    }
}

}  // namespace
}  // namespace krnz::analysis
