// SPDX-License-Identifier: GPL-3.0-or-later
// The printed report of a 4 x 10,000,000-sample event: composing the event page with its four
// strips and writing the PDF file. Target at "max 1 % deviation": 1 s. At maximal resolution
// (every sample joined) the time is reported only.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>

#include "core/analysis/reporter.h"
#include "core/event/event_reader.h"
#include "core/report/print_page.h"
#include "core/view/full_scale.h"
#include "event_generator.h"
#include "platform/pdf_file.h"
#include "realistic_events.h"
#include "tremolog_writer.h"

namespace {

namespace fs = std::filesystem;
constexpr std::int32_t kSamples = 10'000'000;

const fs::path& longEvent() {
    static const fs::path path = [] {
        const auto p = fs::temp_directory_path() / "krnz-bench-report-4x10M.tremolog";
        krnz::eventgen::saveFile(p, krnz::eventgen::writeTremolog(
                                        krnz::eventgen::makeRealisticTremolog(5000, kSamples, 11)));
        return p;
    }();
    return path;
}

// Fonts and the PDF writer need a GUI application; the offscreen platform needs no display.
void ensureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "krnz_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

class SilentReporter final : public krnz::analysis::Reporter {
  public:
    void message(const std::string&) override {}
};

// Arg: the options dialog's printer data reduction (1: max 1 % deviation, 0: every sample).
void BM_ReportPdf4x10M(benchmark::State& state) {
    ensureGuiApplication();
    krnz::LoadedEvent loaded = krnz::readDatafile(longEvent());
    krnz::Event& event = loaded.event;
    krnz::UserInfo user;
    if (loaded.userInfo) user = *loaded.userInfo;
    krnz::settings::Options options;
    options.printerDataReduction = static_cast<int>(state.range(0));
    for (int c = 0; c < krnz::kSlots; ++c) krnz::view::autoScale(options, event, false, c);

    krnz::report::PrintSources sources;
    sources.event = &event;
    sources.userInfo = &user;
    sources.options = &options;
    sources.texts = &krnz::builtinEnglish();
    sources.version = "bench";
    const fs::path pdf = fs::temp_directory_path() / "krnz-bench-report.pdf";
    SilentReporter reporter;
    for (auto _ : state) {
        krnz::platform::writePdfFile(pdf, "bench", "bench", [&](krnz::report::PageTarget& target) {
            benchmark::DoNotOptimize(
                krnz::report::printPage(target, sources, target.margins(), reporter));
        });
    }
    state.counters["pdfMB"] = static_cast<double>(fs::file_size(pdf)) / 1e6;
    fs::remove(pdf);
}
BENCHMARK(BM_ReportPdf4x10M)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
