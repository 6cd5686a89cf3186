// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "core/common/error.h"
#include "core/event/debug_dump.h"
#include "core/settings/atomic_file.h"

namespace krnz::cli {

int runSamples(const Options& options) {
    const Workspace workspace = loadWorkspace(options);
    const SampleRecord& rec = workspace.event().sample;
    std::string out = "time,slot0,slot1,slot2,slot3\n";
    char line[160];
    for (std::int32_t i = 0; i < rec.nSamplesPerChannel; ++i) {
        const int len = std::snprintf(
            line, sizeof line, "%.9g,%.9g,%.9g,%.9g,%.9g\n", i * rec.sampleInterval - rec.pretrig,
            static_cast<double>(rec.sampleData(0, i)), static_cast<double>(rec.sampleData(1, i)),
            static_cast<double>(rec.sampleData(2, i)), static_cast<double>(rec.sampleData(3, i)));
        out.append(line, static_cast<std::size_t>(len));
        if (out.size() > (1 << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

int runDump(const Options& options) {
    if (!options.output) throw UsageError("dump needs -o OUT.txt");
    const Workspace workspace = loadWorkspace(options);
    // The event was read; a failure now is the output file's, not a corrupt event.
    settings::writeFileAtomically(*options.output, currentEventDump(workspace.event().sample));
    return 0;
}

}  // namespace krnz::cli
