// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/panel_texts.h"

#include <chrono>

#include "core/analysis/measurements.h"
#include "core/common/value_format.h"
#include "core/event/units.h"

namespace krnz {
namespace {

std::string twoDigits(int v) {
    return formatNumber(v, "00");
}

// Weekday and month names of the stored date; out-of-range months and days roll over into
// the next ones as a calendar date built from its parts does.
std::string dateText(const SampleRecord& rec) {
    using namespace std::chrono;
    const int yearValue = calendarYear(rec.year);
    const int monthIndex = rec.month - 1;
    const int yearOffset = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
    const year_month_day firstOfMonth{
        year{yearValue + yearOffset},
        month{static_cast<unsigned>(monthIndex - 12 * yearOffset + 1)}, day{1}};
    const year_month_day date{sys_days{firstOfMonth} + days{rec.day - 1}};
    const int y = static_cast<int>(date.year());
    const int m = static_cast<int>(static_cast<unsigned>(date.month()));
    const int d = static_cast<int>(static_cast<unsigned>(date.day()));
    return weekdayAbbrev(y, m, d) + " " + std::to_string(d) + " " + monthAbbrev(m) + " " +
           std::to_string(y) + " " + twoDigits(rec.hour) + ":" + twoDigits(rec.minute) + ":" +
           twoDigits(rec.second);
}

}  // namespace

std::string channelCaption(const Event& event, int slot) {
    return sensorKindName(event.channels[static_cast<std::size_t>(slot)].sensorKind) + " " +
           std::to_string(fileChannelOfSlot(event.sample, slot));
}

namespace {

void fileChannelPanel(const Event& event, int c, const ChannelMeasures& m, const TextLookup& texts,
                      std::vector<std::string>& labels, std::vector<std::string>& values) {
    const ChannelRecord& ch = event.channels[c];
    labels.push_back(texts.text("krn", "channel") + "/" + texts.text("krn", "input"));
    values.push_back(channelCaption(event, c));
    if (ch.sensorKind == 0) return;
    const double peak = m.peak;
    labels.push_back(texts.text("krn", "unit"));
    values.push_back(unitName(ch.unit));
    labels.push_back(texts.text("krn", "trigLevel"));
    values.push_back(ch.triggerLevel == 0.0 ? "OFF" : significantText(ch.triggerLevel, 3));
    labels.push_back(texts.text("krn", "peak"));
    values.push_back(formatNumber(peak, "#0.000"));
    if (isPressureUnit(ch.unit)) {
        labels.push_back(texts.text("krn", "dB"));
        values.push_back(pressureDb(peak, ch.unit));
    } else {
        labels.push_back(texts.text("krn", "diff") + " " + unitName(ch.diffUnit));
        values.push_back(significantText(m.diffPeak, 3));
    }
    labels.push_back(texts.text("krn", "integ") + " " + unitName(ch.integUnit));
    values.push_back(significantText(m.integPeak, 3));
    labels.push_back(texts.text("krn", "frq"));
    values.push_back(significantText(m.peakFrq, 3));
}

void processedChannelPanel(const Event& event, const PanelInputs& inputs, int c,
                           const TextLookup& texts, std::vector<std::string>& labels,
                           std::vector<std::string>& values) {
    const SampleRecord& rec = event.sample;
    const int unit = rec.curUnit[c];
    const double peak = peakValue(rec, c);
    labels.push_back(texts.text("krn", "channel"));
    values.push_back(std::to_string(inputs.sourceChannel[c]));
    labels.push_back(texts.text("krn", "unit"));
    values.push_back(unitName(unit) + (rec.rmsFlag[c] ? " rms" : ""));
    labels.push_back(texts.text("krn", "peak"));
    values.push_back(formatNumber(peak, "#0.00"));
    if (isPressureUnit(unit)) {
        labels.push_back(texts.text("krn", "dB"));
        values.push_back(pressureDb(peak, unit));
    }
}

}  // namespace

bool showsVectorMax(const Event& event, const PanelInputs& inputs) {
    if (!inputs.channelOn[0] || !inputs.channelOn[1] || !inputs.channelOn[2]) return false;
    const int u0 = displayedUnit(event, inputs.processed, 0);
    return u0 == displayedUnit(event, inputs.processed, 1) &&
           u0 == displayedUnit(event, inputs.processed, 2);
}

std::vector<std::string> set_sample_texts(Event& event, const PanelInputs& inputs) {
    SampleRecord& rec = event.sample;
    std::vector<std::string> values;
    values.push_back(std::to_string(rec.instrumentSN));
    values.push_back(std::to_string(rec.eventNumber));
    values.push_back(dateText(rec));
    values.push_back(textOfSingle(rec.nSecPerChannel) + " s" + " / " + textOf(rec.frq / 1000) +
                     " kHz");
    if (showsVectorMax(event, inputs)) {
        const double vectorMax = calcVectorMax(rec);
        values.push_back(formatNumber(vectorMax, "#0.00") + " " +
                         unitName(displayedUnit(event, inputs.processed, 0)) + " at " +
                         formatNumber(rec.vectorMaxTime, "#0.000") + " s");
    }
    values.push_back(textOf(inputs.timeScaleS) + " s/div");
    return values;
}

PanelTexts setMainWindowTexts(Event& event, const PanelInputs& inputs, const TextLookup& texts) {
    return setMainWindowTexts(event, inputs, texts, measureChannels(event));
}

PanelTexts setMainWindowTexts(Event& event, const PanelInputs& inputs, const TextLookup& texts,
                              const std::array<ChannelMeasures, kSlots>& measures) {
    PanelTexts panels;
    for (const char* key : {"instrumentSN", "eventNumber", "DateTime", "regLength"})
        panels.sampleLabels.push_back(texts.text("krn", key));
    if (showsVectorMax(event, inputs))
        panels.sampleLabels.push_back(texts.text("krn", "vectorMax"));
    panels.sampleLabels.push_back(texts.text("krn", "timeScale"));
    panels.sampleValues = set_sample_texts(event, inputs);
    for (int c = 0; c < kSlots; ++c) {
        if (inputs.processed) {
            processedChannelPanel(event, inputs, c, texts, panels.channelLabels[c],
                                  panels.channelValues[c]);
        } else {
            fileChannelPanel(event, c, measures[c], texts, panels.channelLabels[c],
                             panels.channelValues[c]);
        }
    }
    return panels;
}

std::string joinLines(const std::vector<std::string>& lines, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) out += separator;
        out += lines[i];
    }
    return out;
}

}  // namespace krnz
