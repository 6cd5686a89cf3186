// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/event/event.h"
#include "core/settings/options.h"

namespace krnz::view {

// A slot is active (drawn) while its `channelOn` box is checked; a greyed box does not count.
bool isActive(const settings::Options& options, int slot);

// The first active slot that carries a sensor; 0 when there is none.
int firstactivechannel(const settings::Options& options, const SampleRecord& rec);

}  // namespace krnz::view
