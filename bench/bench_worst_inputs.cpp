// SPDX-License-Identifier: GPL-3.0-or-later
// The slowest small inputs the fuzzers kept: each read (without the fuzz targets' cap on
// samples, as the program reads) and measured as after opening, one benchmark per input, and
// BM_WorstKeptInput reporting the worst per-input time (the goal: none of at most 64 KB above
// 100 ms). The inputs are those of bench/data/worst_inputs; KRNZ_BENCH_EVENT_INPUTS and
// KRNZ_BENCH_ROWS_INPUTS name other folders (a whole corpus, as tools/bench/worst_kept_inputs.py
// times it to find them). The channels are measured one after another in the benchmark's
// thread, so that the thread's CPU time is the input's whole cost: the machine these run on is
// shared, and its wall clock also counts what other processes did meanwhile.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/measurements.h"
#include "core/analysis/peak_interpolation.h"
#include "core/common/parallel.h"
#include "core/event/event_reader.h"
#include "core/event/reader_common.h"
#include "core/event/units.h"
#include "core/report/half_waves.h"
#include "fuzz_rows.h"
#include "realistic_events.h"
#include "tremolog_writer.h"

namespace {

namespace fs = std::filesystem;

enum class Kind { EventFile, Rows };

struct KeptInput {
    Kind kind;
    std::string name;
    std::vector<std::uint8_t> bytes;
};

constexpr std::size_t kLargestInput = 64 * 1024;

std::vector<KeptInput> inputsIn(const char* variable, const fs::path& fallback, Kind kind) {
    const char* chosen = std::getenv(variable);
    const fs::path folder = chosen ? fs::path(chosen) : fallback;
    std::vector<KeptInput> inputs;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file() || entry.file_size() > kLargestInput) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        inputs.push_back({kind,
                          entry.path().filename().string(),
                          {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}});
    }
    std::sort(inputs.begin(), inputs.end(),
              [](const KeptInput& a, const KeptInput& b) { return a.name < b.name; });
    return inputs;
}

const std::vector<KeptInput>& keptInputs() {
    static const std::vector<KeptInput> inputs = [] {
        const fs::path kept = fs::path(KRNZ_SOURCE_DIR) / "bench" / "data" / "worst_inputs";
        std::vector<KeptInput> all =
            inputsIn("KRNZ_BENCH_EVENT_INPUTS", kept / "event_reader", Kind::EventFile);
        std::vector<KeptInput> rows =
            inputsIn("KRNZ_BENCH_ROWS_INPUTS", kept / "measurements", Kind::Rows);
        all.insert(all.end(), std::make_move_iterator(rows.begin()),
                   std::make_move_iterator(rows.end()));
        return all;
    }();
    return inputs;
}

// What the program measures after opening an event: the panels, the vector maximum and the
// diagram's half-waves.
void measureOpened(krnz::Event& event) {
    benchmark::DoNotOptimize(krnz::calcVectorMax(event.sample));
    benchmark::DoNotOptimize(krnz::measureChannels(event));
    krnz::calcAllHighAmps(event, 16);
}

// Both channel groups of a K200 event, as a file is read that may be either.
void readAndMeasure(const std::vector<std::uint8_t>& bytes) {
    for (int group = 1; group <= 2; ++group) {
        try {
            krnz::LoadedEvent loaded = krnz::readEventBytes(bytes, {group, std::nullopt});
            measureOpened(loaded.event);
            if (loaded.event.sample.fileFormat != krnz::kFormatK200) return;
        } catch (const krnz::Error&) {
            return;
        } catch (const std::bad_alloc&) {
            return;
        }
    }
}

// The rows as fuzz_measurements decodes them, measured by every measure it checks.
void measureRows(const std::vector<std::uint8_t>& bytes) {
    fuzz::Input in(bytes.data(), bytes.size());
    const std::uint8_t setup = in.u8();
    const std::uint8_t peaksChoice = in.u8();
    krnz::Event event = fuzz::eventOfRows(in, fuzz::sampleRate(in.u8()));
    krnz::SampleRecord& rec = event.sample;
    rec.pretrig = (setup >> 4) * 0.05;
    for (int c = 0; c < krnz::kSlots; ++c) {
        krnz::ChannelRecord& ch = event.channels[c];
        ch.sensorKind = 1;
        ch.unit = c == 3 ? krnz::kUnitPa : krnz::kUnitMmPerS;
        krnz::setDerivedUnits(ch);
        rec.curUnit[c] = ch.unit;
    }
    krnz::calcMinMax(rec);
    const std::optional<int> nPeaks =
        peaksChoice < 0x40 ? std::nullopt : std::optional<int>(peaksChoice % 33);
    krnz::report::updateHalfWaves(event, false, nPeaks);
    benchmark::DoNotOptimize(krnz::calcVectorMax(rec));
    for (int c = 0; c < krnz::kSlots; ++c) {
        benchmark::DoNotOptimize(krnz::diffPeak(event, c));
        benchmark::DoNotOptimize(krnz::integPeak(event, c));
        benchmark::DoNotOptimize(krnz::peakMaxFrq(rec, c));
        benchmark::DoNotOptimize(krnz::analysis::interpolatePeak(rec.sampleData.row(c)));
    }
}

void run(const KeptInput& input) {
    if (input.kind == Kind::EventFile) {
        readAndMeasure(input.bytes);
    } else {
        measureRows(input.bytes);
    }
}

// Keeps the measures in the calling thread while it lives.
class OneThread {
  public:
    OneThread() { krnz::setParallelThreadLimit(1); }
    ~OneThread() { krnz::setParallelThreadLimit(0); }
    OneThread(const OneThread&) = delete;
    OneThread& operator=(const OneThread&) = delete;
};

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

void BM_KeptInput(benchmark::State& state, const KeptInput* input) {
    const OneThread oneThread;
    for (auto _ : state) run(*input);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input->bytes.size()));
}

// Every kept input once per iteration, each timed alone; the counter worst_ms is the worst
// input's mean CPU time, the label its name.
void BM_WorstKeptInput(benchmark::State& state) {
    const OneThread oneThread;
    const std::vector<KeptInput>& inputs = keptInputs();
    std::vector<double> totalMs(inputs.size(), 0.0);
    for (auto _ : state) {
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const double start = threadCpuMs();
            run(inputs[i]);
            totalMs[i] += threadCpuMs() - start;
        }
    }
    if (inputs.empty()) {
        state.SkipWithError("no kept inputs");
        return;
    }
    const auto worst = std::max_element(totalMs.begin(), totalMs.end()) - totalMs.begin();
    state.counters["worst_ms"] =
        totalMs[static_cast<std::size_t>(worst)] / static_cast<double>(state.iterations());
    state.counters["inputs"] = static_cast<double>(inputs.size());
    state.SetLabel(inputs[static_cast<std::size_t>(worst)].name);
}
BENCHMARK(BM_WorstKeptInput)->Unit(benchmark::kMillisecond)->UseRealTime();

// The most a 64 KB input can ask for: a Tremolog file of 64 KB whose header declares every
// sample the reader's rule allows it (twice the bytes after the data offset plus 1 MiB), about
// 147,000 a channel, all but 8,000 of them missing and read as 0.
void BM_Tremolog64KDeclaringItsWholeShare(benchmark::State& state) {
    const OneThread oneThread;
    krnz::eventgen::TremologEvent event = krnz::eventgen::makeRealisticTremolog(1000, 8000, 3);
    event.header.lengthFlagA = event.header.lengthFlagB = 1;
    std::vector<std::uint8_t> bytes = krnz::eventgen::writeTremolog(event);
    bytes.resize(kLargestInput);
    const std::int64_t share =
        krnz::maxDeclaredSamples(bytes.size(), krnz::eventgen::tremologOffsets(event).data);
    event.header.storedNSamples = static_cast<std::uint32_t>(share);
    std::vector<std::uint8_t> declaring = krnz::eventgen::writeTremolog(event);
    declaring.resize(kLargestInput);
    for (auto _ : state) readAndMeasure(declaring);
    state.counters["samples_per_channel"] = static_cast<double>(share);
}
BENCHMARK(BM_Tremolog64KDeclaringItsWholeShare)->Unit(benchmark::kMillisecond)->UseRealTime();

const bool kRegistered = [] {
    for (const KeptInput& input : keptInputs()) {
        const std::string kind = input.kind == Kind::EventFile ? "event_reader" : "measurements";
        benchmark::RegisterBenchmark(("BM_KeptInput/" + kind + "/" + input.name).c_str(),
                                     BM_KeptInput, &input)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}();

}  // namespace
