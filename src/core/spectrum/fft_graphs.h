// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "core/event/event.h"
#include "core/spectrum/frequency_analysis.h"
#include "core/spectrum/segment.h"

namespace krnz::spectrum {

inline constexpr int kDecades = 20;

// What one graph is handed: its data rectangle, curve, axis labels and heading frequency.
struct GraphSetup {
    // The data rectangle in axis units; on a logarithmic axis in base-10 logarithms.
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    std::vector<double> x;  // Hz, or log10(Hz) with 0 for 0 Hz on a logarithmic axis
    std::vector<double> y;  // the spectrum, or its log10 with 0 for values <= 0
    // On a logarithmic y axis, per point: the value is <= 0 and its y is that 0, not a logarithm.
    // Empty on a linear axis.
    std::vector<bool> yAtMostZero;
    // Six evenly spaced tick values; on a logarithmic axis decadeTable() instead, whose values
    // the graph takes the logarithm of.
    std::vector<double> xLabels;
    bool xIsLog = false;
    std::vector<double> yLabels;
    bool yIsLog = false;
    int ch = 0;               // slot, shown as ch + 1
    double maxAmpFreq = 0.0;  // Hz of the largest value, from the linear spectrum
};

// Where point i is drawn on the y axis: its y, or the bottom edge for a value <= 0 on a
// logarithmic axis, which has no place there.
double drawnY(const GraphSetup& graph, std::size_t i);

struct SpectrumResult {
    SpectrumRun run;
    std::array<GraphSetup, kSlots> graphs;
};

// 10^(i - 4) for i = 0..19: 0.0001 .. 1E+15, the labels of a logarithmic axis.
std::array<double, kDecades> decadeTable();

// Per graph g, the y maximum shared by the channels whose `normalize` box is ticked and whose
// unit equals g's: at least 0.01, in the linear spectrum. g's own box is not consulted.
std::array<double, kSlots> groupMaxima(const SpectrumRun& run,
                                       const std::array<ChannelRecord, kSlots>& channels,
                                       const std::array<bool, kSlots>& normalize);

// Axis ranges, logarithms, ticks and heading frequency of the four graphs. The x axis runs from
// 0 (1 Hz on a logarithmic axis) to maxFrq; the y axis from 0 to the 1-2-5 value above the
// larger of the curve's and the group's maximum, or to the manual scale, and spans two decades
// below its top on a logarithmic axis. Throws krnz::Error for a maxFrq or manual scale <= 0 on a
// logarithmic axis.
std::array<GraphSetup, kSlots> prepareGraphs(const SpectrumRun& run,
                                             const std::array<ChannelRecord, kSlots>& channels,
                                             const SpectrumParams& params);

// A whole repaint: spectra of the segment, then the four graphs; `recycled` as computeSpectra
// takes it. Throws krnz::Error as computeSpectra and prepareGraphs do; the caller's previous
// graphs stay valid then.
SpectrumResult repaintSpectra(const Event& event, Segment segment, const SpectrumParams& params,
                              SpectrumRun recycled = {});

}  // namespace krnz::spectrum
