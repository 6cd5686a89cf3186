// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <iostream>
#include <limits>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "core/report/half_waves.h"

namespace krnz::cli {

int runPpvzx(const Options& options) {
    Workspace workspace = loadWorkspace(options);
    // The diagram window starts with the 16 largest half-waves of each channel.
    const std::string peaks = options.peaks.value_or(std::to_string(report::kDefaultPeaks));
    std::optional<int> nPeaks;
    if (peaks != "all") {
        const long long n = std::stoll(peaks);
        if (n > std::numeric_limits<int>::max())
            throw UsageError("--peaks " + peaks + " is too large");
        nPeaks = static_cast<int>(n);
    }

    JsonWriter json;
    json.beginObject();
    json.key("peaks");
    if (nPeaks) {
        json.value(*nPeaks);
    } else {
        json.value("all");
    }
    workspace.setPeaks(nPeaks);
    const std::array<bool, kSlots> plottable = workspace.updateHalfWaves();
    const SampleRecord& rec = workspace.event().sample;
    json.key("channels").beginArray();
    for (int c = 0; c < kSlots; ++c) {
        json.beginObject();
        json.key("slot").value(c);
        json.key("plottable").value(plottable[static_cast<std::size_t>(c)]);
        json.key("amps").beginArray();
        for (const double a : rec.highAmps[c]) json.value(a);
        json.endArray();
        json.key("frqs").beginArray();
        for (const double f : rec.highAmpFrqs[c]) json.value(f);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    std::cout << json.str() << '\n';
    return 0;
}

}  // namespace krnz::cli
