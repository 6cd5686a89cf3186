// SPDX-License-Identifier: GPL-3.0-or-later
// Spectrum of all four slots, Hanning window, PSD; goal: at most 0.15 s per run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <utility>

#include "core/event/event.h"
#include "core/spectrum/data_window.h"
#include "core/spectrum/frequency_analysis.h"

namespace {

// A record long enough to hold the segment: a few decaying tones and noise per slot.
const krnz::Event& eventOf(std::int32_t n) {
    static krnz::Event event;
    if (event.sample.nSamplesPerChannel != n) {
        event = krnz::Event{};
        event.sample.nSamplesPerChannel = n;
        event.sample.sampleInterval = 1.0 / 16384;
        event.sample.sampleData = krnz::SampleMatrix(n);
        std::mt19937 random(42);
        std::normal_distribution<double> noise(0.0, 0.05);
        for (int c = 0; c < krnz::kSlots; ++c) {
            for (std::int32_t i = 0; i < n; ++i) {
                const double t = i * event.sample.sampleInterval;
                const double tone =
                    std::sin(2 * std::numbers::pi * (8.0 + 5 * c) * t) * std::exp(-0.05 * t) +
                    0.3 * std::sin(2 * std::numbers::pi * 63.0 * t);
                event.sample.sampleData(c, i) = static_cast<float>(tone + noise(random));
            }
        }
    }
    return event;
}

void runPsd(benchmark::State& state, bool cold) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    const krnz::Event& event = eventOf(n);
    krnz::spectrum::SpectrumRun run;
    for (auto _ : state) {
        if (cold) {
            krnz::spectrum::releaseSpectrumCaches();
            run = {};
        }
        run =
            krnz::spectrum::computeSpectra(event.sample, {0, n - 1}, krnz::spectrum::kWindowHanning,
                                           krnz::spectrum::kSpectrumPsd, std::move(run));
        benchmark::DoNotOptimize(run.values[3].data());
    }
}

// Repaints of one segment, the window handing its last run back for reuse: window, transform
// plan and memory are all warm.
void BM_SpectrumPsdHanning4Channels(benchmark::State& state) {
    runPsd(state, false);
}
// A first run: the window is computed, the transform planned and all memory freshly touched.
void BM_SpectrumPsdHanning4ChannelsFirstRun(benchmark::State& state) {
    runPsd(state, true);
}

BENCHMARK(BM_SpectrumPsdHanning4Channels)
    ->Arg(1048576)
    ->Arg(1000001)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SpectrumPsdHanning4ChannelsFirstRun)
    ->Arg(1048576)
    ->Arg(1000001)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
