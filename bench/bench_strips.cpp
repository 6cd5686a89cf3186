// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's drawing of a 4 x 10,000,000-sample event into strips 1000 pixel rows high:
// a redraw (scales, row reduction, grids and traces into the strip images) and an open (read,
// measure the panels, first draw). Targets: 50 ms per redraw, 0.5 s per open.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/analysis/panel_texts.h"
#include "core/event/event_reader.h"
#include "event_generator.h"
#include "gui/view/strip_drawing.h"

namespace {

constexpr std::int32_t kSamples = 10'000'000;

const std::filesystem::path& longEvent() {
    static const std::filesystem::path path = [] {
        const auto p = std::filesystem::temp_directory_path() / "krnz-bench-strips-4x10M.tremolog";
        krnz::eventgen::saveFile(p, krnz::eventgen::writeTremolog(
                                        krnz::eventgen::makeRealisticTremolog(5000, kSamples, 11)));
        return p;
    }();
    return path;
}

krnz::gui::StripSizes stripSizes() {
    krnz::gui::StripSizes sizes;
    sizes.widths = {350, 350, 350, 350};
    sizes.height = 1000;
    return sizes;
}

void BM_RedrawStrips4x10M(benchmark::State& state) {
    krnz::Workspace workspace(krnz::builtinEnglish());
    workspace.open(longEvent());
    for (auto _ : state) {
        workspace.layoutRows(stripSizes().height);
        const auto drawn = krnz::gui::drawStrips(workspace, stripSizes(), 1);
        benchmark::DoNotOptimize(drawn.images[0].constBits());
    }
}
BENCHMARK(BM_RedrawStrips4x10M)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OpenAndDraw4x10M(benchmark::State& state) {
    const auto& path = longEvent();
    for (auto _ : state) {
        krnz::Workspace workspace(krnz::builtinEnglish());
        workspace.open(path);
        const auto& panels = workspace.measurePanels();
        benchmark::DoNotOptimize(panels.sampleValues.data());
        workspace.layoutRows(stripSizes().height);
        const auto drawn = krnz::gui::drawStrips(workspace, stripSizes(), 1);
        benchmark::DoNotOptimize(drawn.images[0].constBits());
    }
}
BENCHMARK(BM_OpenAndDraw4x10M)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
