// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace krnz {

// The four displayed channel slots every layer counts in; an eight-channel K200 shows one group
// of four at a time.
inline constexpr int kSlots = 4;

}  // namespace krnz
