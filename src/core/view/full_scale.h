// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

#include "core/event/event.h"
#include "core/settings/options.h"

namespace krnz::view {

// The first full-scale position whose value holds `peak`. A peak above the largest entry
// (250000) takes the largest entry, so the strip still shows the trace, clipped at its edges.
std::size_t fullScalePositionFor(double peak);

// `autoScale` of one slot: in mode auto its own peak picks the full scale; in mode normalize
// every active normalize slot of the same unit shares the full scale of the group's largest
// peak; in mode manual nothing changes.
void autoScale(settings::Options& options, const Event& event, bool processed, int slot);

}  // namespace krnz::view
