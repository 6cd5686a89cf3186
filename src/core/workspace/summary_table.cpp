// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/summary_table.h"

#include "core/common/value_format.h"

#include <cmath>

namespace krnz {
namespace {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// A number in its shortest round-trip form; a cell of its own is empty for none or no number.
std::string csvNumber(double number) {
    return std::isfinite(number) ? shortestText(number) : "";
}

std::string optionalNumber(std::optional<double> number) {
    return number ? csvNumber(*number) : "";
}

}  // namespace

std::string summaryCsvHeader() {
    return "file,group,layout,instrumentSN,eventNumber,dateTime,slot,channel,unit,peak,peakFrq,"
           "diffPeak,integPeak,dB,vectorMax,worstRatio,exceeds,error";
}

void appendSummaryCsv(std::string& out, const EventSummary& e, bool judged) {
    const std::string file = csvField(e.file.string());
    const std::string error = e.error ? csvField(*e.error) : "";
    if (e.channels.empty()) {
        out += file + "," + std::to_string(e.group) + ",,,,,,,,,,,,,,,," + error + "\n";
        return;
    }
    for (const ChannelSummary& c : e.channels) {
        out += file + "," + std::to_string(e.group) + "," + e.layout + "," +
               std::to_string(e.instrumentSN) + "," + std::to_string(e.eventNumber) + "," +
               e.dateTime + "," + std::to_string(c.slot) + "," + csvField(c.channel) + "," +
               csvField(c.unit) + "," + csvNumber(c.peak) + "," + csvNumber(c.peakFrq) + "," +
               csvNumber(c.diffPeak) + "," + csvNumber(c.integPeak) + "," + optionalNumber(c.dB) +
               "," + csvNumber(e.vectorMax) + "," + optionalNumber(c.worstRatio) + "," +
               (judged ? (c.exceeds ? "true" : "false") : "") + "," + error + "\n";
    }
}

}  // namespace krnz
