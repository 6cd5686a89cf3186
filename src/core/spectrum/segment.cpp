// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/segment.h"

#include <algorithm>

#include "core/common/error.h"
#include "core/common/value_format.h"

namespace krnz::spectrum {

Segment segmentFromCursorRows(double rowATwips, double rowBTwips, double twipsPerPixel,
                              double plotLengthPx, std::int32_t nSamples) {
    if (!(twipsPerPixel > 0.0) || !(plotLengthPx > 0.0)) throwDivisionByZero();
    const double lo = std::min(rowATwips, rowBTwips);
    const double hi = std::max(rowATwips, rowBTwips);
    const double s = nSamples;
    Segment segment;
    segment.first = cLng(lo / twipsPerPixel * s / plotLengthPx);
    segment.last = cLng((hi + 1) / twipsPerPixel * s / plotLengthPx - 1);
    if (segment.last > nSamples - 1) segment.last = nSamples - 1;
    return segment;
}

}  // namespace krnz::spectrum
