// SPDX-License-Identifier: GPL-3.0-or-later
// `krnz-cli export`: the event as shown, for the tools the rest of the field uses.
#include <string>

#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "core/workspace/event_export.h"

namespace krnz::cli {

int runExport(const Options& options) {
    if (!options.output) throw UsageError("export needs -o OUT");
    const Workspace workspace = loadWorkspace(options);
    const std::string& format = *options.format;
    writeExport(workspace,
                format == "csv"    ? ExportFormat::Csv
                : format == "wav4" ? ExportFormat::Wav4
                                   : ExportFormat::MiniSeed,
                *options.output, readSeedCodes(cliPaths().generalIniPath()));
    return 0;
}

}  // namespace krnz::cli
