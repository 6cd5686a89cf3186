// SPDX-License-Identifier: GPL-3.0-or-later
// A 10,000,000-sample channel as clipboard text (goal: at most 1 s).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/view/clipboard_text.h"

namespace {

constexpr std::size_t kSamples = 10'000'000;

// Blast-like tones in mm/s, one every two seconds, each decaying: full seven-digit texts, a sign
// on half of them.
const std::vector<float>& blastRow() {
    static const std::vector<float> row = [] {
        std::vector<float> x(kSamples);
        for (std::size_t i = 0; i < kSamples; ++i) {
            const double t = static_cast<double>(i) / 5000.0;
            x[i] = static_cast<float>(12.5 * std::exp(-1.5 * std::fmod(t, 2.0)) *
                                      std::sin(2 * 3.14159265358979 * 23.0 * t));
        }
        return x;
    }();
    return row;
}

void BM_ChannelClipboardText(benchmark::State& state) {
    const std::vector<float>& row = blastRow();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const krnz::view::ClipboardText text = krnz::view::channelClipboardText(row);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ChannelClipboardText)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
