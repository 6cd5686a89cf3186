// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace krnz::eventgen {

// What a builder synthesised for one channel, in the unit the reader reports it in: the largest
// absolute value of the transient, the noise bound around every sample and where the transient
// starts. Quantisation adds up to half a count. All zero for a channel without a sensor.
struct SignalTruth {
    double peak = 0.0;
    double noiseAmplitude = 0.0;
    std::size_t onsetIndex = 0;
};

}  // namespace krnz::eventgen
