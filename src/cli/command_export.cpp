// SPDX-License-Identifier: GPL-3.0-or-later
// `krnz-cli export`: the event as shown, for the tools the rest of the field uses.
#include <string>

#include "cli/commands.h"
#include "core/settings/atomic_file.h"
#include "core/workspace/event_export.h"

namespace krnz::cli {

int runExport(const Options& options) {
    if (!options.output) throw UsageError("export needs -o OUT");
    const Workspace workspace = loadWorkspace(options);
    const std::string& format = *options.format;
    if (format == "csv") {
        settings::writeFileAtomically(*options.output, csvExport(workspace));
    } else if (format == "wav4") {
        settings::writeFileAtomically(*options.output, wav4Export(workspace));
    } else {
        // MiniSEED has no field for the unit or the event number: they go beside it.
        const std::string records = miniSeedExport(workspace);
        settings::writeFileAtomically(*options.output + ".json", miniSeedSidecar(workspace));
        settings::writeFileAtomically(*options.output, records);
    }
    return 0;
}

}  // namespace krnz::cli
