// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "core/analysis/wav_writer.h"
#include "core/common/error.h"
#include "core/settings/atomic_file.h"

namespace krnz::cli {

int runWav(const Options& options) {
    if (!options.slot) throw UsageError("wav needs --slot C (0..3)");
    if (!options.output) throw UsageError("wav needs -o OUT.wav");
    const Workspace workspace = loadWorkspace(options);
    settings::writeFileAtomically(*options.output,
                                  analysis::slotWavBytes(workspace.event().sample, *options.slot));
    return 0;
}

}  // namespace krnz::cli
