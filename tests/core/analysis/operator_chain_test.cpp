// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chain_test_support.h"
#include "core/analysis/operator_chain.h"
#include "core/common/error.h"

namespace krnz::analysis {
namespace {

using test::encoded;
using test::KeyTexts;
using test::RecordingReporter;
using Strings = std::vector<std::string>;

class ChainTest : public testing::Test {
  protected:
    KeyTexts texts;
    RecordingReporter reporter;
    OperatorChain chain{texts, reporter};
};

// Adding and inserting.

TEST_F(ChainTest, ButtonsAppendInOrderToTheCurrentRow) {
    chain.setCurrentRow(2);
    chain.addOperator(0);
    chain.addFilter(2, 80);
    chain.addOperator(4);
    EXPECT_EQ(encoded(chain.opInt(2)), (Strings{"0", "2 80", "4"}));
    EXPECT_EQ(chain.opGrid(2), (Strings{"<toolbox.integrate>", "<toolbox.lowPass> ( 80Hz )",
                                        "<toolbox.comfortDin>"}));
    EXPECT_TRUE(chain.opInt(0).empty());
    EXPECT_EQ(chain.selected(2), 2);
}

struct InsertCase {
    int listSize;
    int selected;  // -1: none
    int position;
};

class InsertPosition : public ChainTest, public testing::WithParamInterface<InsertCase> {};

TEST_P(InsertPosition, AfterSelectedOrAtEnd) {
    const InsertCase c = GetParam();
    for (int i = 0; i < c.listSize; ++i) chain.addOperator(0);
    chain.select(0, c.selected);
    EXPECT_EQ(chain.insertPosition(0), c.position);
    chain.addOperator(7);
    EXPECT_EQ(chain.opInt(0)[static_cast<std::size_t>(c.position)],
              plainOperator(OperatorKind::SwedishStandard));
    EXPECT_EQ(chain.selected(0), c.position);
}

INSTANTIATE_TEST_SUITE_P(Table, InsertPosition,
                         testing::Values(InsertCase{0, -1, 0}, InsertCase{5, 2, 3},
                                         InsertCase{5, -1, 5}, InsertCase{5, 4, 5},
                                         InsertCase{5, 0, 1}, InsertCase{1, 0, 1}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return "list" + std::to_string(p.listSize) +
                                    (p.selected < 0 ? std::string("_noneSelected")
                                                    : "_selected" + std::to_string(p.selected));
                         });

TEST_F(ChainTest, ResultantEntersSourcesThenDestinationOfOneGroup) {
    chain.addResultant({{true, false, true, true}, 2});
    chain.addResultant({{true, true, false, false}, 1});
    EXPECT_EQ(encoded(chain.opInt(0)), (Strings{"6 s 0", "6 s 1", "6 d 1"}));
    EXPECT_EQ(encoded(chain.opInt(1)), (Strings{"6 d 0", "6 s 1"}));
    EXPECT_EQ(encoded(chain.opInt(2)), (Strings{"6 s 0"}));
    EXPECT_EQ(encoded(chain.opInt(3)), (Strings{"6 s 0"}));
    EXPECT_EQ(chain.opGrid(0), (Strings{"<toolbox.resultant> ( s0 )", "<toolbox.resultant> ( s1 )",
                                        "<toolbox.resultant> ( d1 )"}));
    EXPECT_EQ(chain.resultantCounter(), 2);
}

TEST_F(ChainTest, RowThatIsSourceAndDestinationAfterSelectionKeepsSourceFirst) {
    chain.addOperator(0);
    chain.addOperator(1);
    chain.select(0, 0);
    chain.addResultant({{true, true, false, false}, 1});
    EXPECT_EQ(encoded(chain.opInt(0)), (Strings{"0", "6 s 0", "6 d 0", "1"}));
}

TEST_F(ChainTest, WrongButtonUseThrows) {
    EXPECT_THROW(chain.addOperator(2), Error);  // filters take a frequency
    EXPECT_THROW(chain.addFilter(0, 80), Error);
    EXPECT_THROW(chain.addResultant({{true, false, false, false}, 1}), Error);
    EXPECT_EQ(chain.resultantCounter(), 0);
}

// Deleting.

TEST_F(ChainTest, DeleteSelectsPreviousEntry) {
    for (const int op : {0, 1, 4}) chain.addOperator(op);
    chain.select(0, 1);
    chain.deleteSelected();
    EXPECT_EQ(encoded(chain.opInt(0)), (Strings{"0", "4"}));
    EXPECT_EQ(chain.opGrid(0), (Strings{"<toolbox.integrate>", "<toolbox.comfortDin>"}));
    EXPECT_EQ(chain.selected(0), 0);
    chain.deleteSelected();
    EXPECT_EQ(encoded(chain.opInt(0)), (Strings{"4"}));
    EXPECT_EQ(chain.selected(0), -1);  // the first entry went: nothing selected
    chain.deleteSelected();            // and nothing more goes
    EXPECT_EQ(encoded(chain.opInt(0)), (Strings{"4"}));
}

TEST_F(ChainTest, DeletingOneParticipantRemovesWholeGroupFromEveryRow) {
    chain.setCurrentRow(1);
    chain.addOperator(0);
    chain.addResultant({{true, true, true, false}, 4});   // group 0
    chain.addResultant({{false, true, false, true}, 1});  // group 1
    chain.setCurrentRow(3);
    chain.addOperator(7);
    chain.select(3, 0);  // "6 d 0"
    ASSERT_EQ(encoded(chain.opInt(3)), (Strings{"6 d 0", "6 s 1", "7"}));
    chain.deleteSelected();
    EXPECT_EQ(encoded(chain.opInt(0)), (Strings{"6 d 1"}));
    EXPECT_EQ(encoded(chain.opInt(1)), (Strings{"0", "6 s 1"}));
    EXPECT_TRUE(chain.opInt(2).empty());
    EXPECT_EQ(encoded(chain.opInt(3)), (Strings{"6 s 1", "7"}));
    for (int r = 0; r < kSlots; ++r) EXPECT_EQ(chain.opGrid(r).size(), chain.opInt(r).size());
    EXPECT_EQ(chain.selected(3), -1);
    EXPECT_EQ(chain.selected(1), 1);  // was on "6 s 1" (index 2), which moved up
}

TEST_F(ChainTest, NewEmptiesListsButKeepsCounter) {
    chain.addResultant({{true, true, false, false}, 3});
    chain.addOperator(0);
    chain.clear();
    for (int r = 0; r < kSlots; ++r) {
        EXPECT_TRUE(chain.opInt(r).empty());
        EXPECT_TRUE(chain.opGrid(r).empty());
        EXPECT_EQ(chain.selected(r), -1);
    }
    chain.addResultant({{true, true, false, false}, 3});
    EXPECT_EQ(encoded(chain.opInt(2)), (Strings{"6 d 1"}));  // destination channel 3 is row 2
}

// Editing a filter's frequency (double click).

TEST_F(ChainTest, EditFrequencyOnlyForFilters) {
    chain.addFilter(3, 2);
    chain.addOperator(0);
    EXPECT_EQ(chain.filterFrequencyText(0, 0), "2");
    EXPECT_TRUE(chain.editFrequency(0, 0, 15));
    EXPECT_EQ(chain.opInt(0)[0], filterOperator(OperatorKind::HiPass, 15));
    EXPECT_EQ(chain.opGrid(0)[0], "<toolbox.hiPass> ( 15Hz )");
    EXPECT_FALSE(chain.filterFrequencyText(0, 1));
    EXPECT_FALSE(chain.editFrequency(0, 1, 15));
    EXPECT_EQ(chain.opInt(0)[1], plainOperator(OperatorKind::Integrate));
    EXPECT_FALSE(chain.editFrequency(0, 7, 15));
}

// Loaded lists.

TEST_F(ChainTest, LoadedListsShowCaptionAndFieldsAndMoveCounterPastTheirGroups) {
    chain.setLoadedLists(
        {Strings{"0", "2 80", "6 s 7"}, Strings{"6 s 7"}, Strings{"6 d 7", "9 1"}, Strings{}});
    EXPECT_EQ(chain.opGrid(0),
              (Strings{"<toolbox.integrate>", "<toolbox.lowPass> 80", "<toolbox.resultant> s 7"}));
    EXPECT_EQ(chain.opGrid(2), (Strings{"<toolbox.resultant> d 7", " 1"}));
    EXPECT_EQ(chain.resultantCounter(), 8);
    chain.addResultant({{false, false, true, true}, 4});
    EXPECT_EQ(encoded(chain.opInt(3)), (Strings{"6 s 8", "6 d 8"}));
}

TEST_F(ChainTest, LoadedEntriesAreParsedOnce) {
    chain.setLoadedLists(
        {Strings{"2 80.50", "6 s 03", "6 x 9"}, Strings{"6 d 3"}, Strings{"6 s 003"}, Strings{}});
    // The frequency dialog starts from the cut-off as written; a new one is written as usual.
    EXPECT_EQ(chain.filterFrequencyText(0, 0), "80.50");
    EXPECT_TRUE(chain.editFrequency(0, 0, 25));
    EXPECT_EQ(encoded(chain.opInt(0)), (Strings{"2 25", "6 s 03", "6 x 9"}));
    // Group 3 however its number is written; the malformed entry belongs to no group.
    EXPECT_EQ(chain.resultantCounter(), 4);
    chain.select(0, 1);
    chain.deleteSelected();
    EXPECT_EQ(encoded(chain.opInt(0)), (Strings{"2 25", "6 x 9"}));
    for (int r = 1; r < kSlots; ++r) EXPECT_TRUE(chain.opInt(r).empty()) << r;
    chain.select(0, 1);
    chain.deleteSelected();
    EXPECT_EQ(encoded(chain.opInt(0)), (Strings{"2 25"}));
}

}  // namespace
}  // namespace krnz::analysis
