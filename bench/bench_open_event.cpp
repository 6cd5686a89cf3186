// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a long Tremolog event: read, convert, peak scan and every channel measurement, against
// one plain summing pass over the same samples.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/analysis/measurements.h"
#include "core/event/event_reader.h"
#include "event_generator.h"
#include "realistic_events.h"
#include "tremolog_writer.h"

namespace {

constexpr std::int32_t kSamples = 10'000'000;

// Made once per run in the temporary folder, so it is read from the page cache.
const std::filesystem::path& longEvent() {
    static const std::filesystem::path path = [] {
        const auto p = std::filesystem::temp_directory_path() / "krnz-bench-4x10M.tremolog";
        const auto ev = krnz::eventgen::makeRealisticTremolog(5000, kSamples, 7);
        krnz::eventgen::saveFile(p, krnz::eventgen::writeTremolog(ev));
        return p;
    }();
    return path;
}

// Every channel measurement the program makes after opening: the panels' measures, the
// vector maximum and the half-wave lists of the PPV/ZX diagram.
void measureAll(krnz::Event& event) {
    benchmark::DoNotOptimize(krnz::calcVectorMax(event.sample));
    benchmark::DoNotOptimize(krnz::measureChannels(event));
    krnz::calcAllHighAmps(event, 16);
    benchmark::DoNotOptimize(
        krnz::pressureDb(krnz::peakValue(event.sample, 3), event.channels[3].unit));
}

void BM_OpenTremolog4x10M(benchmark::State& state) {
    const auto& path = longEvent();
    for (auto _ : state) {
        krnz::LoadedEvent loaded = krnz::readDatafile(path);
        measureAll(loaded.event);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OpenTremolog4x10M)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_MeasureOnly4x10M(benchmark::State& state) {
    krnz::LoadedEvent loaded = krnz::readDatafile(longEvent());
    for (auto _ : state) measureAll(loaded.event);
}
BENCHMARK(BM_MeasureOnly4x10M)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// The yardstick: one pass summing every sample of the same event.
void BM_PlainSum4x10M(benchmark::State& state) {
    krnz::LoadedEvent loaded = krnz::readDatafile(longEvent());
    for (auto _ : state) {
        double sum = 0;
        for (int c = 0; c < krnz::kSlots; ++c)
            for (const float v : loaded.event.sample.sampleData.row(c)) sum += v;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PlainSum4x10M)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
