// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/event/event.h"

namespace krnz {

// The current event as tab-separated text, one CR LF line per sample: the time from the
// trigger with 5 decimals, then the four slots with 4 decimals. '.' is the decimal separator.
std::string currentEventDump(const SampleRecord& rec);

}  // namespace krnz
