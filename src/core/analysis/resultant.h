// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/event/event.h"

namespace krnz::analysis {

// Vector sum of two or three rows into the destination row: sqrt(a^2 + b^2 [+ c^2]) per sample.
// Each sample is read from every source before the destination's sample is written, so the
// destination may be one of the sources. Rows must lie in 0..3.
void resultant(SampleMatrix& data, int dest, int a, int b, std::optional<int> c = std::nullopt);

}  // namespace krnz::analysis
