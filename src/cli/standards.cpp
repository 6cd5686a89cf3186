// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/standards.h"

#include <optional>
#include <string>

#include "cli/cli_texts.h"
#include "core/event/byte_source.h"
#include "core/report/extra_graph_settings.h"
#include "core/report/verdict.h"

namespace krnz::cli {

report::PpvzxTable loadStandards(const Options& options) {
    if (!options.standardsFile) return report::readPPVZXini(cliPaths().dataFile("PPVZX.ini"));
    // The program's own file may be missing (no limit lines); a file the user names may not.
    ByteSource source{std::filesystem::path(*options.standardsFile)};
    const std::string content = source.bytes(0, static_cast<std::size_t>(source.size()));
    return report::parsePPVZXini(content);
}

int chosenStandard(const Options& options, const report::PpvzxTable& table, bool orFirst) {
    if (options.standard) {
        const int index = table.indexOf(*options.standard);
        if (index < 0) {
            std::string names;
            for (const report::PpvzxStandard& s : table.standards)
                names += (names.empty() ? "" : ", ") + ("\"" + s.name + "\"");
            const std::string file = options.standardsFile.value_or("PPVZX.ini");
            throw UsageError(
                "no standard \"" + *options.standard + "\" in " + file +
                (names.empty() ? std::string(" (it has none)") : " (it has " + names + ")"));
        }
        return index;
    }
    const report::ExtraGraphSettings stored =
        report::readExtraGraphIni(cliPaths().settingsDir() / "extraGraph.ini", std::nullopt);
    return orFirst ? report::defaultStandard(table, stored.standard)
                   : table.indexOf(stored.standard);
}

}  // namespace krnz::cli
