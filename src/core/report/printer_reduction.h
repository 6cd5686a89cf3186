// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace krnz::report {

// Longest chord of the reduced trace, in samples including both ends.
inline constexpr int kMaxChordSamples = 30;

// The reduction factor r of the options dialog's `printerDataReduction` list index: 1 -> 0.01,
// 2 -> 0.02, any other -> 0.05; index 0 (full resolution) has none and gives 0.
double reductionFactor(int printerDataReduction);

// The samples a printed trace is drawn through, as indices into `samples`.
//
// With tolerance 0 (full resolution) every sample. Otherwise a chain of chords: from the last
// chosen sample the chord's end moves forward one sample at a time while every sample strictly
// between start and end lies closer than `tolerance` to the straight chord (evaluated at the
// sample's index) and the chord covers at most kMaxChordSamples samples; the last end that
// qualified is chosen and becomes the next start. The last sample is always chosen. An empty
// span gives no index.
std::vector<std::int32_t> reducedTraceIndices(std::span<const float> samples, double tolerance);

}  // namespace krnz::report
