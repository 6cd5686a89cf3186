// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/event/event.h"
#include "core/settings/text_lookup.h"

namespace krnz {

// Samples per channel that came from the file: all of them unless the file ended early.
std::int32_t samplesInFile(const SampleRecord& rec);

// The file ended before the last declared sample, so the rows end in zeros the instrument
// never recorded.
bool isTruncated(const SampleRecord& rec);

// "file holds 2,000 of 8,000 samples per channel; the rest is shown as 0" in the language of
// `texts` ([krn] truncated); empty for an event the file holds whole.
std::string truncationNotice(const SampleRecord& rec, const TextLookup& texts);

// n with a comma between groups of three digits: "8,000", "-12,345".
std::string groupThousands(std::int64_t n);

}  // namespace krnz
