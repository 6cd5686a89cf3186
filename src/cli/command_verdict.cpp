// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <optional>

#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/standards.h"
#include "core/common/error.h"
#include "core/report/verdict.h"

namespace krnz::cli {
namespace {

// The verdict object, with the English method sentence whatever the language.
void writeVerdict(JsonWriter& json, const report::PpvzxStandard& standard,
                  const report::Verdict& verdict) {
    json.beginObject();
    json.key("standard").value(standard.name);
    json.key("unit").value("mm/s");
    json.key("method").value(report::verdictMethod(standard, builtinEnglish()));
    json.key("lines").beginArray();
    for (std::size_t l = 0; l < standard.lines.size(); ++l) {
        const report::LimitLine& line = standard.lines[l];
        json.beginObject();
        json.key("line").value(static_cast<int>(l));
        json.key("vertices").beginArray();
        for (std::size_t v = 0; v < line.lineX.size(); ++v)
            json.beginArray().value(line.lineX[v]).value(line.lineY[v]).endArray();
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.key("channels").beginArray();
    for (const report::ChannelVerdict& channel : verdict.channels) {
        json.beginObject();
        json.key("slot").value(channel.slot);
        json.key("plottable").value(channel.plottable);
        json.key("lines").beginArray();
        for (const report::LineVerdict& line : channel.lines) {
            json.beginObject();
            json.key("line").value(line.line);
            json.key("worstRatio").value(line.worstRatio);
            json.key("amplitude").value(line.amplitude);
            json.key("frequency").value(line.frequency);
            json.key("limit").value(line.limit);
            json.key("exceeds").value(line.exceeds);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.key("exceeds").value(verdict.exceeds());
    json.endObject();
}

}  // namespace

int runVerdict(const Options& options) {
    report::PpvzxTable table = loadStandards(options);
    const int standard = chosenStandard(options, table, true);
    if (standard < 0)
        throw Error(kErrProgram,
                    "no standard to judge by: " + options.standardsFile.value_or("PPVZX.ini") +
                        " has no limit lines");
    Workspace workspace = loadWorkspace(options);
    workspace.setPpvzxTable(std::move(table));
    workspace.chooseStandard(standard);
    const std::optional<report::Verdict>& verdict = workspace.verdict();
    JsonWriter json;
    writeVerdict(json, workspace.ppvzxTable().standards[static_cast<std::size_t>(standard)],
                 *verdict);
    std::cout << json.str() << '\n';
    return 0;
}

}  // namespace krnz::cli
