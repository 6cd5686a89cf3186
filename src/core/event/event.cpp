// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/event.h"

namespace krnz {

void calcMinMax(SampleRecord& rec) {
    const SampleMatrix& data = rec.sampleData;
    if (data.empty()) return;
    rec.allMax = rec.allMin = data(0, 0);
    for (int c = 0; c < kSlots; ++c) {
        const std::span<const float> x = data.row(c);
        float lo = x[0], hi = x[0];
        std::int32_t loIndex = 0, hiIndex = 0;
        // Strict tests: on equal values the earliest sample keeps the title.
        for (std::size_t i = 1; i < x.size(); ++i) {
            const float v = x[i];
            if (v < lo) lo = v, loIndex = static_cast<std::int32_t>(i);
            if (v > hi) hi = v, hiIndex = static_cast<std::int32_t>(i);
        }
        rec.chMin[c] = lo, rec.chMinIndex[c] = loIndex;
        rec.chMax[c] = hi, rec.chMaxIndex[c] = hiIndex;
        if (lo < rec.allMin) rec.allMin = lo;
        if (hi > rec.allMax) rec.allMax = hi;
    }
}

}  // namespace krnz
