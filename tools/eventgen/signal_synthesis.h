// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "random.h"
#include "signal_truth.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace krnz::eventgen {

// One channel of a record: quiet noise everywhere plus a transient that starts at onsetIndex.
// Values are physical (mm/s, Pa, ...).
struct ChannelSignal {
    std::vector<double> transient;  // transient[j] lies at record sample onsetIndex + j
    std::size_t onsetIndex = 0;
    double noiseAmplitude = 0.0;  // triangular noise within +-noiseAmplitude
};

// Three or four dominant frequencies of one blast, log-uniform in 5..80 Hz; the components of
// one geophone share them.
std::vector<double> drawBlastFrequencies(Random& rng);

// Ground velocity after the trigger: decaying sinusoids at `frequenciesHz` with their own
// amplitudes, phases, decay times (0.05..0.6 s) and small arrival delays, each with a 4 ms
// onset. Scaled so that its largest absolute value is exactly `peak`; at most maxSamples long.
std::vector<double> geophoneTransient(double sampleRateHz, double peak,
                                      std::span<const double> frequenciesHz, std::size_t maxSamples,
                                      Random& rng);

// Air overpressure: silence until `arrivalS`, then a Friedlander pulse (positive phase 4..20 ms
// with a rise of 0.5..2 ms, then the suction phase) and a decaying 5..20 Hz reverberation.
// Largest absolute value exactly `peakPa`; at most maxSamples long.
std::vector<double> airBlastTransient(double sampleRateHz, double peakPa, double arrivalS,
                                      std::size_t maxSamples, Random& rng);

// counts rounded half to even and saturated to the int16 range.
std::int16_t toCount(double counts);

// round(value x countsPerUnit + offsetCounts) for each value, saturated to the int16 range.
std::vector<std::int16_t> quantize(std::span<const double> values, double countsPerUnit,
                                   double offsetCounts = 0.0);

// n samples of the signal; draws one random number per sample for the noise.
std::vector<double> renderSignal(const ChannelSignal& signal, std::size_t n, Random& rng);

// The same samples as quantize(renderSignal(...)) for the same random state, without holding
// them as doubles (the long benchmark events).
std::vector<std::int16_t> renderCounts(const ChannelSignal& signal, std::size_t n,
                                       double countsPerUnit, double offsetCounts, Random& rng);

}  // namespace krnz::eventgen
