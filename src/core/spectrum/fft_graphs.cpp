// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/fft_graphs.h"

#include <cmath>
#include <cstddef>
#include <span>
#include <utility>

#include "core/common/value_format.h"
#include "core/spectrum/max_amp_freq.h"

namespace krnz::spectrum {
namespace {

constexpr int kTickIntervals = 5;
constexpr double kGroupMaxFloor = 0.01;

std::vector<double> logOrZero(const std::vector<double>& v) {
    std::vector<double> out(v.size());
    for (std::size_t k = 0; k < v.size(); ++k) out[k] = v[k] > 0.0 ? log10(v[k]) : 0.0;
    return out;
}

std::vector<bool> atMostZero(const std::vector<double>& v) {
    std::vector<bool> out(v.size());
    for (std::size_t k = 0; k < v.size(); ++k) out[k] = !(v[k] > 0.0);
    return out;
}

std::vector<double> ticks(double from, double to) {
    std::vector<double> t(kTickIntervals + 1);
    for (int k = 0; k <= kTickIntervals; ++k) {
        t[static_cast<std::size_t>(k)] = from + k * (to - from) / kTickIntervals;
    }
    return t;
}

// Top of the y axis. On a logarithmic axis the group maximum is compared as a logarithm too:
// set against the curve's logarithms as a linear value it would lift the axis far above the
// curve whenever normalisation is on.
double yTop(const GraphSetup& graph, double groupMax, bool manual, double manualScale, bool logy) {
    double m = 0.0;
    if (manual) {
        m = logy ? log10(manualScale) : manualScale;
        if (!logy) return m;
    } else {
        if (!logy) return round_to_closest_e10(maxOf(arrayMax(graph.y), groupMax));
        m = maxOf(arrayMax(graph.y), log10(groupMax));
    }
    return log10(round_to_closest_e10(std::pow(10.0, m)));
}

}  // namespace

double drawnY(const GraphSetup& graph, std::size_t i) {
    if (graph.yIsLog && i < graph.yAtMostZero.size() && graph.yAtMostZero[i]) return graph.bottom;
    return graph.y[i];
}

std::array<double, kDecades> decadeTable() {
    std::array<double, kDecades> table{};
    for (int i = 0; i < kDecades; ++i) table[static_cast<std::size_t>(i)] = std::pow(10.0, i - 4);
    return table;
}

std::array<double, kSlots> groupMaxima(const SpectrumRun& run,
                                       const std::array<ChannelRecord, kSlots>& channels,
                                       const std::array<bool, kSlots>& normalize) {
    std::array<double, kSlots> groupMax{};
    for (std::size_t g = 0; g < kSlots; ++g) {
        groupMax[g] = kGroupMaxFloor;
        for (std::size_t c = 0; c < kSlots; ++c) {
            if (normalize[c] && channels[c].unit == channels[g].unit) {
                groupMax[g] = maxOf(arrayMax(run.values[c]), groupMax[g]);
            }
        }
    }
    return groupMax;
}

std::array<GraphSetup, kSlots> prepareGraphs(const SpectrumRun& run,
                                             const std::array<ChannelRecord, kSlots>& channels,
                                             const SpectrumParams& params) {
    const std::array<double, kSlots> groupMax = groupMaxima(run, channels, params.normalize);
    const std::array<double, kDecades> decades = decadeTable();
    std::array<GraphSetup, kSlots> graphs;
    for (std::size_t g = 0; g < kSlots; ++g) {
        const std::vector<double>& values = run.values[g];
        GraphSetup& graph = graphs[g];
        graph.ch = static_cast<int>(g);
        graph.maxAmpFreq = maxAmpFreq(run.freqs, values);
        graph.x = params.logx ? logOrZero(run.freqs) : run.freqs;
        graph.y = params.logy ? logOrZero(values) : values;
        if (params.logy) graph.yAtMostZero = atMostZero(values);

        graph.left = 0.0;
        graph.right = params.logx ? log10(params.maxFrq[g]) : params.maxFrq[g];
        graph.top = yTop(graph, groupMax[g], params.manual[g], params.manualScale[g], params.logy);
        graph.bottom = params.logy ? graph.top - 2 : 0.0;

        graph.xIsLog = params.logx;
        graph.yIsLog = params.logy;
        graph.xLabels = params.logx ? std::vector<double>(decades.begin(), decades.end())
                                    : ticks(graph.left, graph.right);
        graph.yLabels = params.logy ? std::vector<double>(decades.begin(), decades.end())
                                    : ticks(graph.bottom, graph.top);
    }
    return graphs;
}

SpectrumResult repaintSpectra(const Event& event, Segment segment, const SpectrumParams& params,
                              SpectrumRun recycled) {
    SpectrumResult result;
    result.run = computeSpectra(event.sample, segment, params.windowType, params.spectrumType,
                                std::move(recycled));
    result.graphs = prepareGraphs(result.run, event.channels, params);
    return result;
}

}  // namespace krnz::spectrum
