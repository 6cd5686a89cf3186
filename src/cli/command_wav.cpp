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
    const CliEvent loaded = loadCliEvent(options);
    // From here on the event is fine; what fails is the channel or the output file, and the
    // message says which rather than calling the event corrupt.
    try {
        settings::writeFileAtomically(*options.output,
                                      analysis::slotWavBytes(loaded.event.sample, *options.slot));
    } catch (const Error& e) {
        std::cerr << e.text() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace krnz::cli
