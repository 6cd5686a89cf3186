// SPDX-License-Identifier: GPL-3.0-or-later
// Reducing a long event to the rows of a 1000-pixel strip: the part of every redraw that
// touches the samples.
#include <benchmark/benchmark.h>

#include <cmath>

#include "core/event/event.h"
#include "core/view/row_reduction.h"

namespace {

constexpr std::int32_t kSamples = 10'000'000;

const krnz::SampleRecord& longRecord() {
    static const krnz::SampleRecord rec = [] {
        krnz::SampleRecord r;
        r.nSamplesPerChannel = kSamples;
        r.sampleInterval = 1.0 / 5000;
        r.nSecPerChannel = static_cast<float>(kSamples * r.sampleInterval);
        r.sampleData = krnz::SampleMatrix(kSamples, krnz::SampleMatrix::Init::Uninitialised);
        for (int c = 0; c < krnz::kSlots; ++c) {
            auto row = r.sampleData.row(c);
            for (std::int32_t i = 0; i < kSamples; ++i)
                row[static_cast<std::size_t>(i)] =
                    static_cast<float>(std::sin(i * 0.001 * (c + 1)) * 10);
        }
        r.dataLoaded = true;
        return r;
    }();
    return rec;
}

void BM_ReduceToRows4x10M(benchmark::State& state) {
    const krnz::SampleRecord& rec = longRecord();
    krnz::view::RowData rows;
    const auto H = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        krnz::view::reduceToRows(rows, rec, H);
        benchmark::DoNotOptimize(rows.rowMin.data());
    }
}
BENCHMARK(BM_ReduceToRows4x10M)->Arg(1000)->Arg(16000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
