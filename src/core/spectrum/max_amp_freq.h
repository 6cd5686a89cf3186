// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

namespace krnz::spectrum {

// The x of the largest y, as a graph heading names it: a running maximum that starts at 0, so
// the result stays 0 when no y exceeds 0, and the first of equal maxima wins. Pass linear
// frequencies and values: on logarithmic axes a peak below 1 unit has a negative logarithm and
// would never be found. Throws krnz::Error (4711) when the spans differ in length.
double maxAmpFreq(std::span<const double> x, std::span<const double> y);

}  // namespace krnz::spectrum
