// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace krnz::spectrum {

// The analysed samples first..last (inclusive) of every slot.
struct Segment {
    std::int32_t first = 0;
    std::int32_t last = -1;

    std::int32_t size() const { return last - first + 1; }
};

// The samples between two cursor lines of the time axis. rowATwips and rowBTwips are the lines'
// positions in twips, in either order; the plot of plotLengthPx pixels shows all nSamples
// samples. The ends are rounded half to even, and last is clamped to the last sample. Throws
// krnz::Error when the geometry is degenerate (no pixels, no twips per pixel) or an end does not
// fit a 32-bit index; the result may still be empty or start before sample 0 when the lines lie
// outside the plot, which the spectrum rejects.
Segment segmentFromCursorRows(double rowATwips, double rowBTwips, double twipsPerPixel,
                              double plotLengthPx, std::int32_t nSamples);

}  // namespace krnz::spectrum
