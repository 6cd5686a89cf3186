// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/max_amp_freq.h"

#include <cstddef>

#include "core/common/error.h"

namespace krnz::spectrum {

double maxAmpFreq(std::span<const double> x, std::span<const double> y) {
    if (x.size() != y.size()) throw Error(kErrProgram, "Graph data: x and y differ in length.");
    double largest = 0.0;
    double at = 0.0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        if (y[i] > largest) {
            largest = y[i];
            at = x[i];
        }
    }
    return at;
}

}  // namespace krnz::spectrum
