// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/report/page_target.h"

namespace krnz::report {

// The texts of the information box, lines joined with "\r\n"; an empty pair leaves its part out.
struct InfoBoxTexts {
    std::string sampleLabels;
    std::string sampleValues;
    std::string userCaptions;
    std::string userValues;
};

// The information box with its top-left corner at (left, top) and `width` wide: a frame of four
// lines, the sample information (labels in a column at least as wide as 14 "X", values in one
// as wide as 17 "X" or their widest line), one dividing line, and the user information
// (captions, and values in the rest). `stacked` puts the user information under the sample
// information (a box that shares the width with the diagram), else beside it. Labels and values
// are a box each; a value too long for its column is wrapped and moves the rows below it down
// with their labels. Heights are measured, so the box grows with its texts. Returns the box's
// height; 0 and nothing drawn when both parts are empty.
double printInfoBox(PageTarget& target, const InfoBoxTexts& texts, double left, double top,
                    double width, bool stacked);

// The width at which no value of the box needs wrapping.
double infoBoxWidth(PageTarget& target, const InfoBoxTexts& texts, bool stacked);

}  // namespace krnz::report
