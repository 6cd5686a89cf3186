// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/cursor.h"

#include <gtest/gtest.h>

#include "support/event_builder.h"

namespace krnz::view {
namespace {

// 1 kHz, 1 s, 0.25 s before the trigger, reduced to 1000 rows: one sample and 1 ms per row.
// 15 twips per pixel, the whole strip visible.
class CursorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<float> x(1000, 0.0f);
        x[100] = 3.0f;
        x[101] = -3.0f;
        x[200] = -4.0f;
        x[201] = 3.0f;
        Event e = test::makeEvent({x});
        e.sample.pretrig = 0.25;
        reduceToRows(rows, e.sample, 500);  // two samples per row: rows 50 and 100 hold the pairs
        strip.twipsPerPixelY = 15;
        strip.visibleHeightTwips = 500 * 15;
    }

    double yOfRow(int row) const { return row * strip.twipsPerPixelY; }
    bool moveTo(int row) { return moveCursor(cursor, yOfRow(row), strip, rows, kPretrig); }
    void showAt(int row) {
        cursor.shown = cursor.placed = true;
        ASSERT_TRUE(moveTo(row));
    }

    static constexpr double kPretrig = 0.25;
    RowData rows;
    StripGeometry strip;
    CursorState cursor;
};

TEST_F(CursorTest, ValueTiesGoToTheMaximum) {
    EXPECT_EQ(cursorValue(rows, 0, 50), 3.0) << "min -3, max 3";
    EXPECT_EQ(cursorValue(rows, 0, 100), -4.0) << "min -4, max 3";
    EXPECT_EQ(cursorValueText(-4.0), "-4");
    EXPECT_EQ(cursorValueText(123.456), "123");
    EXPECT_EQ(cursorValueText(-0.0012345), "-0.00123");
    EXPECT_EQ(cursorValue(rows, 0, 900), 0.0) << "rows beyond the strip read the last row";
}

TEST_F(CursorTest, TimeWithoutReferenceReadsFromTheTrigger) {
    showAt(0);
    EXPECT_EQ(cursor.timeText, "-0.250");
    ASSERT_TRUE(moveTo(125));
    EXPECT_EQ(cursor.timeText, "0.000");
    ASSERT_TRUE(moveTo(300));
    EXPECT_EQ(cursor.timeText, "0.350");
    EXPECT_FALSE(cursor.deltaShown);
}

TEST_F(CursorTest, ReferenceReadoutsWithSignAndThreeDigits) {
    showAt(200);
    ASSERT_TRUE(insertReference(cursor, strip, rows, kPretrig));
    EXPECT_EQ(cursor.timeText, "0");
    EXPECT_EQ(cursor.deltaText, "1/delta = inf");
    EXPECT_DOUBLE_EQ(cursor.refTime, 0.15);

    struct Row {
        int row;
        const char* time;
        const char* delta;
    };
    const Row steps[] = {
        {250, "0.100", "1/delta = 10 [Hz]"},    {200, "0.000", "1/delta = inf"},
        {198, "-0.004", "1/delta = -250 [Hz]"}, {201, "0.002", "1/delta = 500 [Hz]"},
        {203, "0.006", "1/delta = 167 [Hz]"},
    };
    for (const Row& s : steps) {
        ASSERT_TRUE(moveTo(s.row));
        EXPECT_EQ(cursor.timeText, s.time) << s.row;
        EXPECT_EQ(cursor.deltaText, s.delta) << s.row;
    }
}

TEST_F(CursorTest, ThreeMillisecondsBeforeTheReference) {
    // 1000 rows of 1 ms: 0.003 s is three rows.
    std::vector<float> x(1000, 0.0f);
    Event e = test::makeEvent({x});
    reduceToRows(rows, e.sample, 1000);
    strip.visibleHeightTwips = 1000 * 15;
    showAt(500);
    ASSERT_TRUE(insertReference(cursor, strip, rows, kPretrig));
    ASSERT_TRUE(moveTo(497));
    EXPECT_EQ(cursor.timeText, "-0.003");
    EXPECT_EQ(cursor.deltaText, "1/delta = -333 [Hz]");
}

TEST_F(CursorTest, ReferenceNeedsAShownCursorAndRemovalKeepsItsTime) {
    EXPECT_FALSE(insertReference(cursor, strip, rows, kPretrig)) << "no cursor yet";
    EXPECT_FALSE(cursor.refSet);
    showAt(150);
    ASSERT_TRUE(insertReference(cursor, strip, rows, kPretrig));
    removeReference(cursor);
    EXPECT_FALSE(cursor.refSet);
    EXPECT_FALSE(cursor.deltaShown);
    ASSERT_TRUE(moveTo(150));
    EXPECT_EQ(cursor.timeText, "0.050") << "absolute again";
    EXPECT_DOUBLE_EQ(cursor.refTime, 0.05);
}

TEST_F(CursorTest, MovesOutsideTheVisibleAreaAreIgnored) {
    showAt(0);
    EXPECT_FALSE(moveCursor(cursor, -strip.twipsPerPixelY, strip, rows, kPretrig))
        << "Up at the top row";
    EXPECT_EQ(cursor.yTwips, 0.0);
    EXPECT_FALSE(moveCursor(cursor, strip.visibleHeightTwips, strip, rows, kPretrig));
    // Scrolled down by 100 rows: rows 100 .. 599 are visible.
    strip.topTwips = -yOfRow(100);
    EXPECT_FALSE(moveTo(99));
    EXPECT_TRUE(moveTo(100));
    EXPECT_TRUE(moveTo(599));
    EXPECT_FALSE(moveTo(600));
}

TEST_F(CursorTest, RedrawsKeepTheTimes) {
    showAt(200);
    ASSERT_TRUE(insertReference(cursor, strip, rows, kPretrig));
    ASSERT_TRUE(moveTo(250));
    std::vector<float> x(1000, 0.0f);
    Event e = test::makeEvent({x});
    e.sample.pretrig = kPretrig;
    reduceToRows(rows, e.sample, 750);  // from 500 rows to 750
    carryOver(cursor, rows);
    EXPECT_EQ(cursor.yTwips, 5625.0);
    EXPECT_EQ(cursor.refYTwips, 4500.0);
    strip.visibleHeightTwips = 750 * 15;
    ASSERT_TRUE(moveCursor(cursor, cursor.yTwips, strip, rows, kPretrig));
    EXPECT_EQ(cursor.timeText, "0.100");
}

TEST(CursorGeometry, ValueLineAndLabelStayInsideTheStrip) {
    EXPECT_DOUBLE_EQ(valueX(0, 8, 400), 200);
    EXPECT_DOUBLE_EQ(valueX(8, 8, 400), 400);
    EXPECT_DOUBLE_EQ(valueX(-2, 8, 400), 150);
    EXPECT_DOUBLE_EQ(valueLabelLeft(10, 60, 400), 0);
    EXPECT_DOUBLE_EQ(valueLabelLeft(200, 60, 400), 170);
    EXPECT_DOUBLE_EQ(valueLabelLeft(370, 60, 400), 340) << "reaching the edge";
    EXPECT_DOUBLE_EQ(valueLabelLeft(369, 60, 400), 339);
}

TEST(CursorGeometry, RowsRoundHalfToEven) {
    EXPECT_EQ(cursorRow(22.5, 15), 2);  // 1.5
    EXPECT_EQ(cursorRow(37.5, 15), 2);  // 2.5
    EXPECT_EQ(cursorRow(44.9, 15), 3);
}

TEST(CursorReadouts, CarryTheirUnitAfterABlank) {
    EXPECT_EQ(withUnit("12.5", "mm/s"), "12.5 mm/s");
    EXPECT_EQ(withUnit("-0.125", "s"), "-0.125 s");
    EXPECT_EQ(withUnit("0.25", "mm/s RMS"), "0.25 mm/s RMS");
    EXPECT_EQ(withUnit("7", ""), "7");
}

// An interval needs an event, then the cursor, then the reference; the first missing one is
// the one named, whatever else is missing too.
TEST(CursorInterval, TheFirstMissingPartIsNamed) {
    CursorState none;
    CursorState refOnly;
    refOnly.refSet = true;  // kept while the cursor is hidden
    CursorState cursorOnly;
    cursorOnly.placed = cursorOnly.shown = true;
    CursorState both = cursorOnly;
    both.refSet = true;
    EXPECT_EQ(intervalGap(false, both), IntervalGap::Event);
    EXPECT_EQ(intervalGap(true, none), IntervalGap::Cursor);
    EXPECT_EQ(intervalGap(true, refOnly), IntervalGap::Cursor);
    EXPECT_EQ(intervalGap(true, cursorOnly), IntervalGap::Reference);
    EXPECT_EQ(intervalGap(true, both), IntervalGap::None);
    EXPECT_STREQ(intervalGapKey(IntervalGap::Event), "noEvent");
    EXPECT_STREQ(intervalGapKey(IntervalGap::Cursor), "noCursor");
    EXPECT_STREQ(intervalGapKey(IntervalGap::Reference), "noReference");
    EXPECT_STREQ(intervalGapKey(IntervalGap::None), "");
}

}  // namespace
}  // namespace krnz::view
