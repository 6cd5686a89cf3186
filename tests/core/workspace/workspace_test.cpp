// SPDX-License-Identifier: GPL-3.0-or-later
// The application layer the window and the command line share: opening resets the display,
// a chain changes the units every face names, the print view follows cursor and zoom.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/analysis/chain_test_support.h"
#include "core/common/error.h"
#include "core/common/value_format.h"
#include "core/event/units.h"
#include "core/spectrum/data_window.h"
#include "core/spectrum/frequency_analysis.h"
#include "core/workspace/workspace.h"
#include "support/fresh_rows.h"

namespace krnz {
namespace {

namespace fs = std::filesystem;
using test::KeyTexts;
using test::RecordingReporter;

const fs::path kSamples = fs::path(KRNZ_SOURCE_DIR) / "data" / "samples";
const fs::path kMacros = fs::path(KRNZ_SOURCE_DIR) / "data" / "macro";

class WorkspaceTest : public testing::Test {
  protected:
    void SetUp() override { workspace.open(kSamples / "KRN00412.101"); }

    void integrateGeophones() {
        analysis::BatchChainOptions chain;
        chain.macroFile = kMacros / "velocity-to-displacement";
        ASSERT_TRUE(workspace.runChain(chain, reporter));
    }

    KeyTexts texts;
    RecordingReporter reporter;
    Workspace workspace{texts};
};

TEST_F(WorkspaceTest, ChainChangesTheUnitOfEveryFace) {
    ASSERT_EQ(workspace.event().channels[0].unit, kUnitMmPerS);
    integrateGeophones();
    ASSERT_TRUE(workspace.processed());
    const int integrated = workspace.event().sample.curUnit[0];
    ASSERT_NE(integrated, kUnitMmPerS);
    EXPECT_EQ(workspace.displayedUnit(0), integrated);

    // The spectrum page of a processed event names the rows' unit, not the file's.
    SpectrumChoices choices;
    choices.spectrumType = spectrum::kSpectrumFft;
    choices.windowType = spectrum::kWindowHanning;
    workspace.setSpectrumChoices(choices);
    const report::PrintSpectrum page = workspace.spectrumPage({50, 900});
    EXPECT_EQ(page.yUnits[0], unitName(integrated) + "   RMS");
    EXPECT_EQ(page.selected, "FFT <frqpre.hanning>");
    EXPECT_EQ(workspace.spectrumYUnits(), page.yUnits);
}

// The strips' rows follow every change of the samples: a chain, rows worked on in place, a
// new event, although the blocks they are reduced from are kept between layouts.
TEST_F(WorkspaceTest, RowsFollowTheSamplesAfterEveryChange) {
    test::expectFreshRows(workspace, "opening");
    integrateGeophones();
    test::expectFreshRows(workspace, "a chain");
    for (float& v : workspace.eventForChain().sample.sampleData.row(1)) v = -v;
    test::expectFreshRows(workspace, "rows negated in place");
    workspace.open(kSamples / "KRN00412.103");
    test::expectFreshRows(workspace, "another event");
}

TEST_F(WorkspaceTest, OpeningResetsTheDisplayForTheNewEvent) {
    integrateGeophones();
    settings::Options changed = workspace.options();
    for (auto& slot : changed.slotOptions) {
        slot.ampScale = settings::AmpScale::Manual;
        slot.channelOn = settings::CheckState::Unchecked;
    }
    workspace.setOptions(changed);
    view::CursorState cursor;
    cursor.placed = true;
    cursor.shown = true;
    cursor.refSet = true;
    cursor.yTwips = 300;
    workspace.setCursor(cursor);
    workspace.setSourceChannels({4, 3, 2, 1});

    workspace.open(kSamples / "KRN00412.103");
    EXPECT_FALSE(workspace.processed());
    EXPECT_EQ(workspace.sourceChannels(), (std::array<int, kSlots>{1, 2, 3, 4}));
    for (int c = 0; c < kSlots; ++c) {
        const auto& slot = workspace.options().slotOptions[c];
        EXPECT_EQ(slot.ampScale, settings::AmpScale::Normalize) << c;
        EXPECT_EQ(slot.channelOn, workspace.event().sample.channelOff[c]
                                      ? settings::CheckState::Unchecked
                                      : settings::CheckState::Checked)
            << c;
        EXPECT_EQ(workspace.displayedUnit(c), workspace.event().channels[c].unit) << c;
    }
    // A graph once clicked lets the reference be inserted in the next event; nothing else stays.
    EXPECT_TRUE(workspace.cursor().placed);
    EXPECT_FALSE(workspace.cursor().shown);
    EXPECT_FALSE(workspace.cursor().refSet);
    EXPECT_EQ(workspace.cursor().yTwips, 0);
    EXPECT_TRUE(workspace.panels().sampleValues.empty()) << "panels wait to be measured";
}

TEST_F(WorkspaceTest, EventWithoutStoredTextsStartsWithNone) {
    ASSERT_FALSE(workspace.userInfo().freeText.empty()) << "101 has a .userinfo with extras";
    EXPECT_FALSE(workspace.userInfoEdited());
    workspace.open(kSamples / "KRN00412.103");
    EXPECT_EQ(workspace.userInfo(), UserInfo{});
    EXPECT_FALSE(workspace.userInfoEdited());
    UserInfo typed;
    typed.client = "Quarry";
    workspace.setUserInfo(typed);
    EXPECT_TRUE(workspace.userInfoEdited());
    workspace.userInfoStored();
    EXPECT_FALSE(workspace.userInfoEdited());
}

TEST_F(WorkspaceTest, FailedOpenKeepsTheCurrentEvent) {
    const std::int32_t n = workspace.event().sample.nSamplesPerChannel;
    EXPECT_THROW(workspace.open(kSamples / "no-such-event.001"), Error);
    EXPECT_EQ(workspace.file(), kSamples / "KRN00412.101");
    EXPECT_EQ(workspace.event().sample.nSamplesPerChannel, n);
}

TEST_F(WorkspaceTest, PrintViewCarriesVisiblePartAndCursorLines) {
    workspace.measurePanels();
    workspace.layoutRows(400, 15.0);
    report::PrintView whole = workspace.printView();
    EXPECT_EQ(whole.visibleStart, 0.0);
    EXPECT_EQ(whole.visibleEnd, 1.0);
    EXPECT_TRUE(whole.cursors.empty()) << "no cursor shown";
    EXPECT_EQ(whole.sampleValues, workspace.panels().sampleValues);

    workspace.setVisibleRange({4, 50, 100});
    const report::VisiblePart part = report::visiblePart(4, 50, 100);
    ASSERT_GT(part.start, 0.0);
    view::CursorState cursor;
    cursor.shown = true;
    cursor.yTwips = 1500;  // row 100 of 400 at 15 twips a row
    cursor.timeText = "0.25 s";
    workspace.setCursor(cursor);
    report::PrintView zoomed = workspace.printView();
    EXPECT_EQ(zoomed.visibleStart, part.start);
    EXPECT_EQ(zoomed.visibleEnd, part.end);
    ASSERT_EQ(zoomed.cursors.size(), 1u);
    EXPECT_DOUBLE_EQ(zoomed.cursors[0].fraction, 0.25);
    EXPECT_EQ(zoomed.cursors[0].caption, "0.25 s");

    cursor.refSet = true;
    cursor.refYTwips = 3000;
    workspace.setCursor(cursor);
    const report::PrintView withReference = workspace.printView();
    ASSERT_EQ(withReference.cursors.size(), 2u);
    EXPECT_DOUBLE_EQ(withReference.cursors[1].fraction, 0.5);
    EXPECT_EQ(withReference.cursors[1].caption, "<krn.refLabel>");
}

TEST_F(WorkspaceTest, TimeScaleRewritesSampleValuesOnlyWhenItChanges) {
    workspace.measurePanels();
    const double step = timeGridStep(workspace.event().sample.nSecPerChannel).stepS;
    EXPECT_FALSE(workspace.setTimeScale(step)) << "the whole record's grid is where it starts";
    EXPECT_TRUE(workspace.setTimeScale(step / 2));
    EXPECT_FALSE(workspace.setTimeScale(step / 2));
}

}  // namespace
}  // namespace krnz
