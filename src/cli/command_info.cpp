// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "core/analysis/measurements.h"
#include "core/analysis/panel_texts.h"
#include "core/common/value_format.h"
#include "core/event/samples_in_file.h"
#include "core/event/units.h"

namespace krnz::cli {
namespace {

void writeChannel(JsonWriter& json, Event& event, bool processed, int c,
                  const ChannelMeasures& measures) {
    const SampleRecord& rec = event.sample;
    const ChannelRecord& ch = event.channels[c];
    const int curUnit = displayedUnit(event, processed, c);
    const double peak = measures.peak;
    json.beginObject();
    json.key("slot").value(c);
    json.key("channel").value(fileChannelOfSlot(rec, c));
    json.key("sensorKind").value(static_cast<int>(ch.sensorKind));
    json.key("sensorName").value(sensorKindName(ch.sensorKind));
    json.key("channelOff").value(rec.channelOff[c]);
    json.key("unit").value(static_cast<int>(ch.unit));
    json.key("unitName").value(unitName(ch.unit));
    json.key("diffUnit").value(static_cast<int>(ch.diffUnit));
    json.key("diffScale").value(ch.diffScale);
    json.key("integUnit").value(static_cast<int>(ch.integUnit));
    json.key("integScale").value(ch.integScale);
    json.key("triggerLevel").value(ch.triggerLevel);
    json.key("curUnit").value(curUnit);
    json.key("curUnitName").value(unitName(curUnit));
    json.key("rmsFlag").value(processed && rec.rmsFlag[c]);
    json.key("max").value(static_cast<double>(rec.chMax[c]));
    json.key("min").value(static_cast<double>(rec.chMin[c]));
    json.key("maxIndex").value(rec.chMaxIndex[c]);
    json.key("minIndex").value(rec.chMinIndex[c]);
    json.key("peak").value(peak);
    json.key("peakFrq").value(measures.peakFrq);
    json.key("diffPeak").value(measures.diffPeak);
    json.key("integPeak").value(measures.integPeak);
    json.key("dB");
    if (isPressureUnit(curUnit)) {
        json.value(pressureLevelDb(peak, curUnit));
    } else {
        json.null();
    }
    json.endObject();
}

void writeUserInfo(JsonWriter& json, const UserInfo& info) {
    json.beginObject();
    json.key("client").value(info.client);
    json.key("operation").value(info.operation);
    json.key("location").value(info.location);
    json.key("operator").value(info.operatorName);
    json.key("notes").value(info.notes);
    json.key("company").value(info.company);
    json.key("supplement").value(info.supplement);
    json.key("freeText").value(info.freeText);
    json.endObject();
}

void writePanels(JsonWriter& json, const PanelTexts& panels) {
    json.beginObject();
    json.key("sampleLabels").value(joinLines(panels.sampleLabels, "\n"));
    json.key("sampleValues").value(joinLines(panels.sampleValues, "\n"));
    json.key("channelLabels").beginArray();
    for (const auto& lines : panels.channelLabels) json.value(joinLines(lines, "\n"));
    json.endArray();
    json.key("channelValues").beginArray();
    for (const auto& lines : panels.channelValues) json.value(joinLines(lines, "\n"));
    json.endArray();
    json.endObject();
}

}  // namespace

int runInfo(const Options& options) {
    Workspace workspace = loadWorkspace(options);
    // The panels as the main window shows them after opening: every slot with a sensor shown,
    // the time scale of the whole record.
    const PanelTexts panels = workspace.measurePanels();
    Event& event = workspace.eventForChain();
    SampleRecord& rec = event.sample;
    const double vectorMax = calcVectorMax(rec);

    JsonWriter json;
    json.beginObject();
    json.key("file").value(options.file);
    json.key("fileFormat").value(rec.fileFormat);
    json.key("channelGroup").value(rec.channelGroup);
    json.key("processed").value(workspace.processed());
    json.key("instrumentSN").value(static_cast<int>(rec.instrumentSN));
    json.key("eventNumber").value(static_cast<int>(rec.eventNumber));
    json.key("year").value(static_cast<int>(rec.year));
    json.key("month").value(static_cast<int>(rec.month));
    json.key("day").value(static_cast<int>(rec.day));
    json.key("hour").value(static_cast<int>(rec.hour));
    json.key("minute").value(static_cast<int>(rec.minute));
    json.key("second").value(static_cast<int>(rec.second));
    json.key("regLengthIndex");
    if (rec.fileFormat == kFormatTremolog) {
        json.null();
    } else {
        json.value(static_cast<int>(rec.regLengthIndex));
    }
    json.key("nSecPerChannel").value(static_cast<double>(rec.nSecPerChannel));
    json.key("nSamplesPerChannel").value(rec.nSamplesPerChannel);
    json.key("frq").value(rec.frq);
    json.key("pretrig").value(rec.pretrig);
    json.key("sampleInterval").value(rec.sampleInterval);
    json.key("samplesInFile").value(samplesInFile(rec));
    json.key("allMax").value(static_cast<double>(rec.allMax));
    json.key("allMin").value(static_cast<double>(rec.allMin));
    json.key("vectorMax").value(vectorMax);
    json.key("vectorMaxTime").value(rec.vectorMaxTime);
    json.key("channels").beginArray();
    for (int c = 0; c < kSlots; ++c)
        writeChannel(json, event, workspace.processed(), c, workspace.channelMeasures()[c]);
    json.endArray();
    json.key("userInfo");
    writeUserInfo(json, workspace.userInfo());
    json.key("panels");
    writePanels(json, panels);
    json.endObject();
    std::cout << json.str() << '\n';
    return 0;
}

}  // namespace krnz::cli
