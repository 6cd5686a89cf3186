// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

#include "core/report/page_target.h"

namespace krnz::report {

// A polyline thinned to what a device with pixels `pixelWidth` wide can show: of each run of
// consecutive points in one pixel column only the first, the highest, the lowest and the last
// are kept, in their order. The lines between them cover the same pixels as the full polyline
// (each column spans the same heights, and the joins between columns are kept), so a trace of
// millions of samples prints alike from a path a fraction of the size.
std::vector<PagePoint> pixelColumnExtremes(std::span<const PagePoint> points, double pixelWidth);

}  // namespace krnz::report
