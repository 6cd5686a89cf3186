// SPDX-License-Identifier: GPL-3.0-or-later
// A campaign's folder: 1000 eight-channel K200 events (record-length index 2) summarised with a
// verdict per channel, on one thread and on two.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/workspace/event_files.h"
#include "core/workspace/event_summary.h"
#include "event_generator.h"
#include "k200_writer.h"
#include "realistic_events.h"

namespace {

namespace fs = std::filesystem;

constexpr int kEvents = 1000;

// Made once per run, so the files are read from the page cache. Ten different events, each
// written a hundred times under its own name: what matters is the reading and measuring.
const std::vector<fs::path>& campaign() {
    static const std::vector<fs::path> files = [] {
        const fs::path dir = fs::temp_directory_path() / "krnz-bench-campaign";
        fs::create_directories(dir);
        for (int e = 0; e < kEvents; ++e) {
            const fs::path file = dir / ("KRN00206." + std::to_string(100 + e));
            if (fs::exists(file)) continue;
            krnz::eventgen::saveFile(file,
                                     krnz::eventgen::writeK200(krnz::eventgen::makeRealisticK200(
                                         2, static_cast<std::uint32_t>(e % 10))));
        }
        return krnz::findEventFiles({dir}, false);
    }();
    return files;
}

void BM_Batch1000K200(benchmark::State& state) {
    const std::vector<fs::path>& files = campaign();
    krnz::report::PpvzxStandard standard;
    standard.name = "Flat";
    standard.lines = {{{1, 100}, {20, 20}}};
    krnz::SummaryChoices choices;
    choices.standard = &standard;
    for (auto _ : state) {
        const auto summaries =
            krnz::summariseEventFiles(files, choices, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(summaries.data());
    }
    state.counters["events/s"] = benchmark::Counter(static_cast<double>(files.size()),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Batch1000K200)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
