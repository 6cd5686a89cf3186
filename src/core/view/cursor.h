// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/view/row_reduction.h"

namespace krnz::view {

// Where a strip lies, in twips: the unit in which cursor positions are kept, so that a cursor
// stays at its time when the strips are redrawn at another height.
struct StripGeometry {
    double twipsPerPixelY = 15;     // of the strip's pixel rows
    double topTwips = 0;            // strip top in the graph area; negative when scrolled
    double visibleHeightTwips = 0;  // inner height of the graph area
};

// The measuring cursor and the reference, shared by every strip.
struct CursorState {
    bool placed = false;  // a graph was clicked once: the reference may be inserted
    bool shown = false;   // the cursor lines and time label are visible (menu `mCursor`)
    double yTwips = 0;    // the cursor line's y in the strips
    bool refSet = false;  // the reference is pinned (menu `mRemoveRef` enabled)
    double refYTwips = 0;
    double refTime = 0;     // seconds from the trigger; kept when the reference is removed
    std::string timeText;   // beside the time scale
    std::string deltaText;  // "1/delta = ..." in the toolbar
    bool deltaShown = false;
};

// Pixel row of a y in twips: round(y / twipsPerPixelY).
std::int32_t cursorRow(double yTwips, double twipsPerPixelY);

// The value read at a row: the row's minimum when its magnitude is strictly larger than the
// maximum's, else the maximum. Rows outside the strip read the nearest row.
double cursorValue(const RowData& rows, int slot, std::int32_t row);
// The value as shown: three significant digits.
std::string cursorValueText(double value);

// A readout with its unit after a blank: "12.5 mm/s", "0.125 s"; the bare text when the unit
// is empty.
std::string withUnit(const std::string& text, const std::string& unit);

// What the interval between the reference and the cursor still lacks, the first missing
// thing first: a spectrum needs an event, then the cursor shown, then the reference pinned.
enum class IntervalGap { None, Event, Cursor, Reference };
IntervalGap intervalGap(bool hasEvent, const CursorState& cursor);
// The [frq] language key that asks for it ("noEvent", "noCursor", "noReference"); "" for None.
const char* intervalGapKey(IntervalGap gap);

// "1/delta = inf" for an interval of 0, else the reciprocal to three significant digits with
// its sign, in Hz.
std::string deltaText(double dtS);

// `graph_MouseMove`: moves the cursor to y and rewrites its time (and, with a reference, the
// "1/delta" readout). Returns false and changes nothing when y lies outside the visible part
// of the graph area.
bool moveCursor(CursorState& cursor, double yTwips, const StripGeometry& strip, const RowData& rows,
                double pretrig);

// Pins the reference at the cursor: only while the cursor is shown. Its time comes from the
// exact y, not from the row.
bool insertReference(CursorState& cursor, const StripGeometry& strip, const RowData& rows,
                     double pretrig);
// Unpins it; the caller moves the cursor to where it is so the time reads absolute again.
void removeReference(CursorState& cursor);

// After a redraw at another height: cursor and reference scaled by the ratio of the new to
// the old row count, rounded to whole twips.
void carryOver(CursorState& cursor, const RowData& rows);

// x in a strip of width w (any unit) of a value, for full scale F: zero in the middle, F at
// the right edge.
double valueX(double value, double fullScale, double width);
// Left edge of a value label of width labelWidth centred on x, kept inside the strip.
double valueLabelLeft(double x, double labelWidth, double stripWidth);

}  // namespace krnz::view
