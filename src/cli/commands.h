// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "cli/cli_options.h"
#include "core/workspace/workspace.h"

namespace krnz::cli {

// The event FILE names, read into a workspace that starts from the `display` options, with the
// command's operator chain run (--macro,
// --source, --interpolate). Throws what the reader throws.
Workspace loadWorkspace(const Options& options,
                        const settings::Options& display = settings::Options());

// Each command writes its result (stdout or -o) and returns the exit status.
int runInfo(const Options& options);
int runSamples(const Options& options);
int runDump(const Options& options);
int runPpvzx(const Options& options);
int runSpectrum(const Options& options);
int runReport(const Options& options);  // only in builds with the Qt libraries
int runWav(const Options& options);
int runVerdict(const Options& options);

// What a batch needs to draw each event's report page: the display and texts the workspace
// starts from, and the writer of one page (throws krnz::Error when it cannot be written).
struct BatchPage {
    std::shared_ptr<void> application;  // what the writer needs alive while it is used
    settings::Options display;
    const TextLookup* texts = nullptr;
    std::function<void(Workspace&, const std::filesystem::path&)> write;
};
// Makes the page writer for a batch with --pdf-dir (the diagram with the standard at
// `standard` of `table`, -1 none); empty in builds without the Qt libraries.
using BatchPageWriter =
    std::function<BatchPage(const Options&, const report::PpvzxTable& table, int standard)>;
int runBatch(const Options& options, const BatchPageWriter& pages);
// In builds with the Qt libraries.
BatchPageWriter reportPageWriter();
int runExport(const Options& options);

}  // namespace krnz::cli
