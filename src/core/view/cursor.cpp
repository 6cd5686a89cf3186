// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/cursor.h"

#include <algorithm>

#include "core/common/value_format.h"

namespace krnz::view {

std::int32_t cursorRow(double yTwips, double twipsPerPixelY) {
    return static_cast<std::int32_t>(roundHalfEven(yTwips / twipsPerPixelY));
}

double cursorValue(const RowData& rows, int slot, std::int32_t row) {
    if (rows.rowCount <= 0) return 0;
    row = std::clamp(row, 0, rows.rowCount - 1);
    return largerMagnitude(rows.min(slot, row), rows.max(slot, row));
}

std::string cursorValueText(double value) {
    return textOf(vardesiffror(value, 3));
}

std::string withUnit(const std::string& text, const std::string& unit) {
    return unit.empty() ? text : text + " " + unit;
}

IntervalGap intervalGap(bool hasEvent, const CursorState& cursor) {
    if (!hasEvent) return IntervalGap::Event;
    if (!cursor.shown) return IntervalGap::Cursor;
    if (!cursor.refSet) return IntervalGap::Reference;
    return IntervalGap::None;
}

const char* intervalGapKey(IntervalGap gap) {
    switch (gap) {
        case IntervalGap::Event:
            return "noEvent";
        case IntervalGap::Cursor:
            return "noCursor";
        case IntervalGap::Reference:
            return "noReference";
        case IntervalGap::None:
            break;
    }
    return "";
}

std::string deltaText(double dtS) {
    if (dtS == 0) return "1/delta = inf";
    return "1/delta = " + textOf(vardesiffror(1 / dtS, 3)) + " [Hz]";
}

bool moveCursor(CursorState& cursor, double yTwips, const StripGeometry& strip, const RowData& rows,
                double pretrig) {
    const double visibleY = strip.topTwips + yTwips;
    if (!(visibleY >= 0 && visibleY < strip.visibleHeightTwips)) return false;
    const std::int32_t row = cursorRow(yTwips, strip.twipsPerPixelY);
    const double t = row * rows.secondsPerRow - pretrig;
    cursor.yTwips = yTwips;
    if (cursor.refSet) {
        const double dt = t - cursor.refTime;
        cursor.timeText = formatNumber(dt, "0.000");
        cursor.deltaText = deltaText(dt);
    } else {
        cursor.timeText = formatNumber(t, "#0.000");
    }
    return true;
}

bool insertReference(CursorState& cursor, const StripGeometry& strip, const RowData& rows,
                     double pretrig) {
    if (!cursor.shown) return false;
    cursor.refSet = true;
    cursor.refYTwips = cursor.yTwips;
    cursor.refTime = cursor.yTwips / strip.twipsPerPixelY * rows.secondsPerRow - pretrig;
    cursor.deltaText = deltaText(0);
    cursor.deltaShown = true;
    cursor.timeText = "0";
    return true;
}

void removeReference(CursorState& cursor) {
    cursor.refSet = false;
    cursor.deltaShown = false;
}

void carryOver(CursorState& cursor, const RowData& rows) {
    if (rows.previousRowCount <= 0) return;
    const double ratio = static_cast<double>(rows.rowCount) / rows.previousRowCount;
    cursor.yTwips = roundHalfEven(ratio * cursor.yTwips);
    cursor.refYTwips = roundHalfEven(ratio * cursor.refYTwips);
}

double valueX(double value, double fullScale, double width) {
    return value * (width / 2) / fullScale + width / 2;
}

double valueLabelLeft(double x, double labelWidth, double stripWidth) {
    const double d = x - labelWidth / 2;
    if (d < 0) return 0;
    if (d + labelWidth >= stripWidth) return stripWidth - labelWidth;
    return d;
}

}  // namespace krnz::view
