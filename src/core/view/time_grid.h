// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/common/value_format.h"

namespace krnz::view {

// One time-grid line of a strip and its label in the time-scale column.
struct TimeGridLine {
    double timeS;       // seconds from the trigger
    double row;         // pixel row of the strip, not rounded
    std::string label;  // timeS in the grid's pattern
};

// The time-grid lines of `drawTimeGrid`: from the first multiple of the step at or after the
// start of the record, one per step, at most round(nSecPerChannel / step - 1) + 1 of them, and
// none within a tenth of a step of the record's end. Time and row are accumulated step by step
// as the labels are placed.
std::vector<TimeGridLine> timeGridLines(double nSecPerChannel, double pretrig, double secondsPerRow,
                                        const TimeGrid& grid);

inline constexpr int kAmplitudeGridLines = 7;  // vertical grid lines per strip: 8 divisions

// Pixel column of amplitude grid line k (1..7) in a strip `widthPx` wide.
int amplitudeGridColumn(int widthPx, int k);

// The three texts of a strip's scale line for the full scale F: "-F" at the left, "0" in the
// middle, and F at the right with the leading blank a positive number printed as a number has.
struct ScaleLineTexts {
    std::string left;
    std::string centre;
    std::string right;
};
ScaleLineTexts scaleLineTexts(double fullScale);

}  // namespace krnz::view
