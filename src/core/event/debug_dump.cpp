// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/debug_dump.h"

#include "core/common/value_format.h"

namespace krnz {

std::string currentEventDump(const SampleRecord& rec) {
    std::string out;
    const auto n = static_cast<std::size_t>(rec.nSamplesPerChannel);
    out.reserve(n * 48);
    // The time accumulates step by step, as the instrument software's dump always has.
    double t = -rec.pretrig;
    for (std::size_t i = 0; i < n; ++i) {
        out += formatFixed(t, 5);
        for (int c = 0; c < kSlots; ++c) {
            out += '\t';
            out += formatFixed(rec.sampleData(c, static_cast<std::int32_t>(i)), 4);
        }
        out += "\r\n";
        t = t + rec.sampleInterval;
    }
    return out;
}

}  // namespace krnz
