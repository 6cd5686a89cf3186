// SPDX-License-Identifier: GPL-3.0-or-later
// The operators of the toolbox per sample on a 10-million-sample row, and "show" of a typical
// chain on a 4 x 10,000,000-sample event (goal: at most 1 s).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/analysis/filter2.h"
#include "core/analysis/integration.h"
#include "core/analysis/operator_chain.h"
#include "core/analysis/peak_interpolation.h"
#include "core/analysis/resultant.h"
#include "core/analysis/weightings.h"
#include "core/settings/text_lookup.h"

namespace {

using namespace krnz;
using namespace krnz::analysis;

constexpr std::int32_t kSamples = 10'000'000;
constexpr double kFrq = 5000.0;
constexpr double kDt = 1.0 / kFrq;

// Four rows of a blast-like record: decaying tones of a few tens of Hz plus a little offset.
const SampleMatrix& blastRows() {
    static const SampleMatrix rows = [] {
        SampleMatrix m(kSamples, SampleMatrix::Init::Uninitialised);
        for (int c = 0; c < kSlots; ++c) {
            const double f = 12.0 + 9.0 * c;
            std::span<float> x = m.row(c);
            for (std::int32_t i = 0; i < kSamples; ++i) {
                const double t = i * kDt;
                x[static_cast<std::size_t>(i)] = static_cast<float>(
                    0.05 + (c + 1) * std::exp(-0.2 * t) * std::sin(2 * 3.14159265358979 * f * t));
            }
        }
        return m;
    }();
    return rows;
}

void runOnRow(benchmark::State& state, const std::function<void(std::span<float>)>& op) {
    std::vector<float> row(blastRows().row(0).begin(), blastRows().row(0).end());
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(blastRows().row(0).begin(), blastRows().row(0).end(), row.begin());
        state.ResumeTiming();
        op(row);
        benchmark::ClobberMemory();
    }
    state.counters["per_sample"] = benchmark::Counter(
        kSamples, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Integrate(benchmark::State& s) {
    runOnRow(s, [](std::span<float> x) { integrate(x, kDt, 1000.0); });
}
void BM_Differentiate(benchmark::State& s) {
    runOnRow(s, [](std::span<float> x) { differentiate(x, kDt, 0.001); });
}
void BM_LowPass(benchmark::State& s) {
    runOnRow(s, [](std::span<float> x) { lowPass(x, kDt, 100.0); });
}
void BM_HiPass(benchmark::State& s) {
    runOnRow(s, [](std::span<float> x) { hiPass(x, kDt, 2.0); });
}
void BM_FirstOrderHighPass(benchmark::State& s) {
    runOnRow(s, [](std::span<float> x) { firstOrderHighPass(x, kFrq, 5.6); });
}
void BM_RunningRms(benchmark::State& s) {
    runOnRow(s, [](std::span<float> x) { runningRms(x, kFrq, 0.125); });
}
void BM_ComfortDin(benchmark::State& s) {
    runOnRow(s, [](std::span<float> x) { comfortDin(x, kFrq); });
}
void BM_SwedishStandard(benchmark::State& s) {
    runOnRow(s, [](std::span<float> x) { swedishStandard(x, kFrq); });
}
void BM_InterpolatePeak(benchmark::State& s) {
    runOnRow(s, [](std::span<float> x) { benchmark::DoNotOptimize(interpolatePeak(x)); });
}

void BM_Resultant3(benchmark::State& state) {
    SampleMatrix m = blastRows();
    for (auto _ : state) {
        resultant(m, 3, 0, 1, 2);
        benchmark::ClobberMemory();
    }
    state.counters["per_sample"] = benchmark::Counter(
        kSamples, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_Integrate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Differentiate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LowPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HiPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstOrderHighPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunningRms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComfortDin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwedishStandard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resultant3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InterpolatePeak)->Unit(benchmark::kMillisecond);

class Silent final : public Reporter {
  public:
    void message(const std::string&) override {}
};

// Integrate, low-pass 100 Hz, high-pass 2 Hz and the comfort weighting on every row, then the
// resultant of rows 0..2 into row 3.
void BM_ShowChain4x10M(benchmark::State& state) {
    Event event;
    SampleRecord& rec = event.sample;
    rec.nSamplesPerChannel = kSamples;
    rec.frq = kFrq;
    rec.sampleInterval = kDt;
    rec.nSecPerChannel = static_cast<float>(kSamples * kDt);
    rec.sampleData = blastRows();
    for (int c = 0; c < kSlots; ++c) event.channels[c].unit = 2;

    Silent silent;
    OperatorChain chain(builtinEnglish(), silent);
    EncodedLists lists;
    for (int r = 0; r < kSlots; ++r)
        lists[r] = {"0", "2 100", "3 2", "4", r < 3 ? "6 s 0" : "6 d 0"};
    chain.setLoadedLists(lists);
    chain.init(event);
    for (auto _ : state) {
        chain.showChain(event);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ShowChain4x10M)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
