// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/active_channels.h"

namespace krnz::view {

bool isActive(const settings::Options& options, int slot) {
    return options.slotOptions[static_cast<std::size_t>(slot)].channelOn ==
           settings::CheckState::Checked;
}

int firstactivechannel(const settings::Options& options, const SampleRecord& rec) {
    for (int c = 0; c < kSlots; ++c)
        if (isActive(options, c) && !rec.channelOff[static_cast<std::size_t>(c)]) return c;
    return 0;
}

}  // namespace krnz::view
