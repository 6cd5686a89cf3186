// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "core/event/event.h"

namespace krnz::view {

// The text lives in a sample buffer: a record's worth of text is a hundred megabytes or more, and
// fresh memory in small pages would cost more page faults than the conversion itself.
using ClipboardText = std::basic_string<char, std::char_traits<char>, SampleAllocator<char>>;

// A channel's samples as the clipboard receives them: one line per sample, the sample's text as
// a 32-bit float (at most 7 significant digits, exactly as textOfSingle writes it) ended by CR LF.
// decimalSeparator replaces the '.' (the platform passes the user's own). Built in one growing
// buffer, so a long record costs a fraction of a second, not the quadratic time of joining texts.
ClipboardText channelClipboardText(std::span<const float> samples, char decimalSeparator = '.');

// The current samples of a slot (0..3); throws kErrSubscript for any other slot.
ClipboardText channelClipboardText(const SampleRecord& rec, int slot, char decimalSeparator = '.');

}  // namespace krnz::view
