// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cli/cli_options.h"
#include "cli/json_writer.h"
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
int runBatch(const Options& options);
int runExport(const Options& options);

// The verdict object of `krnz-cli verdict`, with the English method sentence.
void writeVerdict(JsonWriter& json, const report::PpvzxStandard& standard,
                  const report::Verdict& verdict);

}  // namespace krnz::cli
