// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/report/page_target.h"

namespace krnz::report {

// Liang-Barsky clipping of the segment (x1, y1)-(x2, y2) to `rect`, in place; false when
// nothing of it is left or an end is not a number.
bool clipSegment(const PageRect& rect, double& x1, double& y1, double& x2, double& y2);

}  // namespace krnz::report
