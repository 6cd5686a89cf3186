// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <optional>
#include <string>

#include "analysis/measurements.h"
#include "commands.h"
#include "event/units.h"
#include "json_writer.h"

namespace krnz::cli {

int runPpvzx(const Options& options) {
    CliEvent loaded = loadCliEvent(options);
    Event& event = loaded.event;
    // The diagram window starts with the 16 largest half-waves of each channel.
    const std::string peaks = options.peaks.value_or("16");
    const std::optional<int> nPeaks =
        peaks == "all" ? std::nullopt : std::optional<int>(std::stoi(peaks));

    JsonWriter json;
    json.beginObject();
    json.key("peaks");
    if (nPeaks) {
        json.value(*nPeaks);
    } else {
        json.value("all");
    }
    json.key("channels").beginArray();
    for (int c = 0; c < kSlots; ++c) {
        const int unit = loaded.processed ? event.sample.curUnit[c] : event.channels[c].unit;
        calchighamps(event, c, nPeaks);
        json.beginObject();
        json.key("slot").value(c);
        json.key("plottable").value(isVelocityUnit(unit));
        json.key("amps").beginArray();
        for (const double a : event.sample.highAmps[c]) json.value(a);
        json.endArray();
        json.key("frqs").beginArray();
        for (const double f : event.sample.highAmpFrqs[c]) json.value(f);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    std::cout << json.str() << '\n';
    return 0;
}

}  // namespace krnz::cli
