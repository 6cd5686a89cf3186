// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/report/page_target.h"

namespace krnz::report {

// Dash length on a page: the larger of (the smaller page extent) / 500 and 10 twips, rounded.
double dashLength(const PageTarget& target);

// `dashedLine`: a vertical or horizontal line as solid dashes of dashLength, one every five
// dash lengths; any other line as one line in the dotted pen (style 2). Leaves the pen solid.
void dashedLine(PageTarget& target, double x1, double y1, double x2, double y2);

}  // namespace krnz::report
