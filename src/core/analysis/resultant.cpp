// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/resultant.h"

#include <cassert>
#include <cmath>

namespace krnz::analysis {

void resultant(SampleMatrix& data, int dest, int a, int b, std::optional<int> c) {
    assert(dest >= 0 && dest < kSlots && a >= 0 && a < kSlots && b >= 0 && b < kSlots);
    const std::span<float> out = data.row(dest);
    const std::span<const float> xa = data.row(a);
    const std::span<const float> xb = data.row(b);
    if (c) {
        assert(*c >= 0 && *c < kSlots);
        const std::span<const float> xc = data.row(*c);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double va = xa[i], vb = xb[i], vc = xc[i];
            out[i] = static_cast<float>(std::sqrt(va * va + vb * vb + vc * vc));
        }
    } else {
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double va = xa[i], vb = xb[i];
            out[i] = static_cast<float>(std::sqrt(va * va + vb * vb));
        }
    }
}

}  // namespace krnz::analysis
