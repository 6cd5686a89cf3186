// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbox's operator chain kept by the workspace: edits change only the lists, applying
// runs them from the samples as loaded, unloading puts those back exactly.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/analysis/chain_runner.h"
#include "core/analysis/chain_test_support.h"
#include "core/analysis/operator_codes.h"
#include "core/common/error.h"
#include "core/workspace/workspace.h"
#include "support/fresh_rows.h"

namespace krnz {
namespace {

namespace fs = std::filesystem;
using test::KeyTexts;
using test::RecordingReporter;

const fs::path kSamples = fs::path(KRNZ_SOURCE_DIR) / "data" / "samples";
const fs::path kMacros = fs::path(KRNZ_SOURCE_DIR) / "data" / "macro";

// Every bit of every row, so that a restore through another value (a double, a rounding)
// shows; NaN compares equal to itself here.
bool sameBits(const SampleMatrix& a, const SampleMatrix& b) {
    if (a.samplesPerRow() != b.samplesPerRow()) return false;
    for (int r = 0; r < kSlots; ++r) {
        const auto x = a.row(r);
        const auto y = b.row(r);
        if (std::memcmp(x.data(), y.data(), x.size_bytes()) != 0) return false;
    }
    return true;
}

class WorkspaceChainTest : public testing::Test {
  protected:
    void SetUp() override {
        workspace.open(kSamples / "KRN00412.101");
        workspace.keepLoadedSamples();
        loaded = workspace.event();
    }

    KeyTexts texts;
    RecordingReporter reporter;
    Workspace workspace{texts};
    Event loaded;
};

TEST_F(WorkspaceChainTest, EditsChangeTheListsButNotTheRows) {
    workspace.setChainRow(1);
    workspace.addChainOperator(analysis::kOpIntegrate);
    workspace.addChainFilter(analysis::kOpLowPass, 40);
    ASSERT_EQ(workspace.chain().opInt(1).size(), 2u);
    EXPECT_EQ(workspace.chain().opInt(1)[0].kind, analysis::OperatorKind::Integrate);
    EXPECT_TRUE(workspace.chain().opInt(0).empty());
    EXPECT_FALSE(workspace.processed());
    EXPECT_TRUE(sameBits(workspace.event().sample.sampleData, loaded.sample.sampleData));

    // Only a filter has a frequency to edit.
    EXPECT_TRUE(workspace.setChainFrequency(1, 1, 25));
    EXPECT_EQ(workspace.chain().filterFrequencyText(1, 1), std::optional<std::string>("25"));
    EXPECT_FALSE(workspace.setChainFrequency(1, 0, 25));

    // The new filter is the selected entry: delete takes it, the integration stays.
    workspace.deleteChainEntry();
    ASSERT_EQ(workspace.chain().opInt(1).size(), 1u);
    EXPECT_EQ(workspace.chain().opInt(1)[0].kind, analysis::OperatorKind::Integrate);
    workspace.selectChainEntry(1, 0);
    workspace.deleteChainEntry();
    EXPECT_TRUE(workspace.chain().opInt(1).empty());

    workspace.addChainOperator(analysis::kOpDiff);
    workspace.setChainRow(3);
    workspace.addChainOperator(analysis::kOpDiff);
    workspace.clearChain();
    for (int r = 0; r < kSlots; ++r) EXPECT_TRUE(workspace.chain().opInt(r).empty()) << r;
}

TEST_F(WorkspaceChainTest, ApplyRunsTheListsOnTheLoadedSamplesOfTheChosenSources) {
    workspace.setChainSource(0, 3);
    workspace.setChainRow(1);
    workspace.addChainOperator(analysis::kOpIntegrate);
    workspace.applyChain(reporter);
    EXPECT_TRUE(reporter.messages.empty());

    const SampleRecord& rec = workspace.event().sample;
    // Row 0 has no operator: channel 3's samples as they are, in its unit.
    EXPECT_TRUE(std::ranges::equal(rec.sampleData.row(0), loaded.sample.sampleData.row(2)));
    EXPECT_EQ(workspace.displayedUnit(0), loaded.channels[2].unit);
    // Row 1 integrated once: what the runner makes of the loaded row.
    Event expected = loaded;
    analysis::OperatorLists lists;
    lists[1].push_back(analysis::plainOperator(analysis::OperatorKind::Integrate));
    analysis::runOperatorLists(expected, lists, texts, reporter);
    EXPECT_TRUE(std::ranges::equal(rec.sampleData.row(1), expected.sample.sampleData.row(1)));
    EXPECT_FALSE(std::ranges::equal(rec.sampleData.row(1), loaded.sample.sampleData.row(1)));
    EXPECT_NE(workspace.displayedUnit(1), loaded.channels[1].unit);
    EXPECT_EQ(workspace.displayedUnit(1), expected.sample.curUnit[1]);

    EXPECT_TRUE(workspace.processed());
    EXPECT_EQ(workspace.sourceChannels(), (std::array<int, kSlots>{3, 2, 3, 4}));
    // The panels are measured anew and name the row's source channel.
    ASSERT_FALSE(workspace.panels().channelValues[0].empty());
    EXPECT_EQ(workspace.panels().channelValues[0].front(), "3");

    // Applying again starts from the loaded samples: the row is integrated once, not twice.
    const SampleMatrix once = rec.sampleData;
    workspace.applyChain(reporter);
    EXPECT_TRUE(sameBits(workspace.event().sample.sampleData, once));
}

TEST_F(WorkspaceChainTest, EmptyListsShowTheLoadedRowsAsProcessed) {
    workspace.applyChain(reporter);
    EXPECT_TRUE(sameBits(workspace.event().sample.sampleData, loaded.sample.sampleData));
    EXPECT_TRUE(workspace.processed());
}

TEST_F(WorkspaceChainTest, UnloadPutsTheLoadedEventBackBitForBit) {
    const PanelTexts filePanels = workspace.measurePanels();
    workspace.addChainOperator(analysis::kOpIntegrate);
    workspace.setChainSource(1, 4);
    workspace.setChainIntOn(2, true);
    workspace.applyChain(reporter);
    ASSERT_FALSE(sameBits(workspace.event().sample.sampleData, loaded.sample.sampleData));
    ASSERT_NE(workspace.event().sample.chMax, loaded.sample.chMax);

    workspace.unloadChain();
    const SampleRecord& back = workspace.event().sample;
    EXPECT_TRUE(sameBits(back.sampleData, loaded.sample.sampleData));
    EXPECT_EQ(back.chMax, loaded.sample.chMax);
    EXPECT_EQ(back.chMin, loaded.sample.chMin);
    EXPECT_EQ(back.curUnit, loaded.sample.curUnit);
    EXPECT_EQ(back.rmsFlag, loaded.sample.rmsFlag);
    EXPECT_FALSE(workspace.processed());
    EXPECT_EQ(workspace.sourceChannels(), (std::array<int, kSlots>{1, 2, 3, 4}));
    for (int c = 0; c < kSlots; ++c)
        EXPECT_EQ(workspace.displayedUnit(c), loaded.channels[c].unit) << c;
    EXPECT_EQ(workspace.panels().channelLabels, filePanels.channelLabels);
    EXPECT_EQ(workspace.panels().channelValues, filePanels.channelValues);
    // The lists stay for the next time.
    EXPECT_EQ(workspace.chain().opInt(0).size(), 1u);
}

TEST_F(WorkspaceChainTest, ANewEventIsWhatTheChainStartsFromAndReturnsTo) {
    workspace.addChainOperator(analysis::kOpIntegrate);
    workspace.open(kSamples / "KRN00412.103");
    workspace.keepLoadedSamples();
    const Event second = workspace.event();
    ASSERT_FALSE(sameBits(second.sample.sampleData, loaded.sample.sampleData));
    workspace.applyChain(reporter);
    EXPECT_TRUE(std::ranges::equal(workspace.event().sample.sampleData.row(1),
                                   second.sample.sampleData.row(1)));
    workspace.unloadChain();
    EXPECT_TRUE(sameBits(workspace.event().sample.sampleData, second.sample.sampleData));
}

// The strips are reduced from blocks kept between layouts; the chain must not leave them stale.
// Before the window keeps the new event's samples, the copy kept is of the previous event, and
// putting it back would give this event another's rows.
TEST_F(WorkspaceChainTest, UnloadLeavesAnEventWhoseSamplesWereNotKept) {
    workspace.open(kSamples / "KRN00412.103");
    const Event second = workspace.event();
    workspace.unloadChain();
    EXPECT_TRUE(sameBits(workspace.event().sample.sampleData, second.sample.sampleData));
    EXPECT_FALSE(workspace.processed());
}

TEST_F(WorkspaceChainTest, StripsFollowApplyAndUnload) {
    test::expectFreshRows(workspace, "opening");
    workspace.addChainOperator(analysis::kOpIntegrate);
    workspace.setChainSource(2, 1);
    workspace.applyChain(reporter);
    test::expectFreshRows(workspace, "the chain applied");
    workspace.unloadChain();
    test::expectFreshRows(workspace, "the chain unloaded");
}

TEST_F(WorkspaceChainTest, TheRunReportsToTheCallersReporter) {
    // A low-pass far above half the sampling rate cannot be used: the run says so.
    workspace.addChainFilter(analysis::kOpLowPass, 1000000);
    workspace.applyChain(reporter);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("badfrq"), std::string::npos) << reporter.messages[0];

    RecordingReporter other;
    workspace.applyChain(other);
    EXPECT_EQ(other.messages.size(), 1u);
    EXPECT_EQ(reporter.messages.size(), 1u) << "an earlier caller hears nothing more";
}

TEST_F(WorkspaceChainTest, MacroLoadsTheListsTheCommandLineRuns) {
    ASSERT_TRUE(workspace.loadChainMacro(kMacros, "velocity-to-displacement", reporter));
    workspace.applyChain(reporter);

    Workspace batch{texts};
    batch.open(kSamples / "KRN00412.101");
    analysis::BatchChainOptions options;
    options.macroFile = kMacros / "velocity-to-displacement";
    ASSERT_TRUE(batch.runChain(options, reporter));
    EXPECT_TRUE(sameBits(workspace.event().sample.sampleData, batch.event().sample.sampleData));
    EXPECT_EQ(workspace.event().sample.curUnit, batch.event().sample.curUnit);
    EXPECT_TRUE(reporter.messages.empty());

    EXPECT_THROW(workspace.loadChainMacro(kMacros, "../velocity-to-displacement", reporter), Error);
}

// The chain keeps its texts and reporter by reference: a language switch and a move of the
// workspace must both reach it.
TEST(WorkspaceChainTexts, FollowTheLanguageAndSurviveAMove) {
    class OtherTexts final : public TextLookup {
      public:
        std::string text(std::string_view, std::string_view key) const override {
            return "other " + std::string(key);
        }
    };
    KeyTexts keys;
    OtherTexts other;
    Workspace first{keys};
    first.addChainOperator(analysis::kOpIntegrate);
    first.setTexts(other);
    first.addChainOperator(analysis::kOpIntegrate);
    ASSERT_EQ(first.chain().opGrid(0).size(), 2u);
    EXPECT_EQ(first.chain().opGrid(0)[1].rfind("other ", 0), 0u) << first.chain().opGrid(0)[1];
    EXPECT_NE(first.chain().opGrid(0)[0], first.chain().opGrid(0)[1]);

    Workspace moved = std::move(first);
    moved.open(kSamples / "KRN00412.101");
    moved.keepLoadedSamples();
    EXPECT_EQ(moved.chain().opGrid(0).size(), 2u) << "the lists move along";
    moved.clearChain();
    moved.addChainFilter(analysis::kOpLowPass, 1000000);
    RecordingReporter reporter;
    moved.applyChain(reporter);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].rfind("other ", 0), 0u) << reporter.messages[0];
    EXPECT_TRUE(moved.processed());
}

TEST(WorkspaceChainError, ARunThatStopsIsReportedAndShownAsProcessed) {
    KeyTexts texts;
    Workspace workspace{texts};
    workspace.open(kSamples / "KRN00412.101");
    // No loaded samples kept for this event: the chain refuses to start.
    RecordingReporter reporter;
    workspace.applyChain(reporter);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].rfind("Error ", 0), 0u) << reporter.messages[0];
    EXPECT_TRUE(workspace.processed());
}

}  // namespace
}  // namespace krnz
