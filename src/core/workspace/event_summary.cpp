// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/event_summary.h"

#include <algorithm>
#include <new>

#include "core/analysis/measurements.h"
#include "core/analysis/panel_texts.h"
#include "core/common/error.h"
#include "core/common/parallel.h"
#include "core/event/units.h"
#include "core/report/page_header.h"

namespace krnz {
namespace {

std::string oneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '\r') continue;
        line += c == '\n' ? ' ' : c;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

bool hasSensor(const Event& event) {
    for (const ChannelRecord& ch : event.channels)
        if (ch.sensorKind != 0) return true;
    return false;
}

}  // namespace

bool EventSummary::exceeds() const {
    for (const ChannelSummary& c : channels)
        if (c.exceeds) return true;
    return false;
}

std::optional<double> EventSummary::worstRatio() const {
    std::optional<double> worst;
    for (const ChannelSummary& c : channels)
        if (c.worstRatio && (!worst || *c.worstRatio > *worst)) worst = c.worstRatio;
    return worst;
}

std::string layoutName(int fileFormat) {
    switch (fileFormat) {
        case kFormatK100:
            return "K100";
        case kFormatK200:
            return "K200";
        case kFormatTremolog:
            return "Tremolog";
        default:
            return std::to_string(fileFormat);
    }
}

std::string readErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const ReadRejected& e) {
        std::string text;
        for (const std::string& message : e.messages())
            text += (text.empty() ? "" : " ") + oneLine(message);
        return text;
    } catch (const CorruptFile& e) {
        return "file corrupt (error " + std::to_string(e.number()) + ": " + oneLine(e.text()) + ")";
    } catch (const Error& e) {
        return oneLine(e.text());
    } catch (const std::bad_alloc&) {
        return "file corrupt (out of memory)";
    } catch (const std::exception& e) {
        return oneLine(e.what());
    }
}

EventSummary summariseEvent(Workspace& workspace, const report::PpvzxStandard* standard) {
    Event& event = workspace.eventForChain();
    SampleRecord& rec = event.sample;
    EventSummary summary;
    summary.file = workspace.file();
    summary.group = rec.channelGroup;
    summary.layout = layoutName(rec.fileFormat);
    summary.instrumentSN = rec.instrumentSN;
    summary.eventNumber = rec.eventNumber;
    summary.dateTime = report::isoDateTime(rec);
    summary.vectorMax = calcVectorMax(rec);
    const std::array<ChannelMeasures, kSlots> measures = measureChannels(event);
    std::optional<report::Verdict> verdict;
    if (standard) verdict = report::judgeEvent(event, workspace.processed(), *standard);
    for (int c = 0; c < kSlots; ++c) {
        const auto s = static_cast<std::size_t>(c);
        const int unit = workspace.displayedUnit(c);
        ChannelSummary channel;
        channel.slot = c;
        channel.channel = channelCaption(event, c);
        channel.sensorKind = event.channels[s].sensorKind;
        channel.unit = unitName(unit);
        channel.peak = measures[s].peak;
        channel.peakFrq = measures[s].peakFrq;
        channel.diffPeak = measures[s].diffPeak;
        channel.integPeak = measures[s].integPeak;
        if (isPressureUnit(unit)) channel.dB = pressureLevelDb(channel.peak, unit);
        if (verdict) {
            channel.worstRatio = verdict->channels[s].worstRatio();
            channel.exceeds = verdict->channels[s].exceeds();
        }
        summary.channels.push_back(std::move(channel));
    }
    return summary;
}

std::vector<EventSummary> summariseEventFile(const std::filesystem::path& file,
                                             const SummaryChoices& choices) {
    std::vector<EventSummary> summaries;
    Workspace workspace(*choices.texts);
    workspace.setOptions(choices.display);
    for (int group = 1; group <= 2; ++group) {
        try {
            workspace.open(file, ReadOptions{group, std::nullopt});
            // The second group counts only when a sensor is on one of its channels.
            if (group == 2 && !hasSensor(workspace.event())) break;
            EventSummary summary = summariseEvent(workspace, choices.standard);
            try {
                if (choices.each) choices.each(workspace, summary);
            } catch (...) {
                // The numbers stand; the row says what else went wrong (a page not written).
                summary.error = readErrorText(std::current_exception());
            }
            summaries.push_back(std::move(summary));
        } catch (...) {
            EventSummary failed;
            failed.file = file;
            failed.group = group;
            failed.error = readErrorText(std::current_exception());
            summaries.push_back(std::move(failed));
            break;
        }
        if (workspace.event().sample.fileFormat != kFormatK200) break;
    }
    return summaries;
}

std::vector<EventSummary> summariseEventFiles(const std::vector<std::filesystem::path>& files,
                                              const SummaryChoices& choices, int jobs,
                                              const std::function<void()>& fileDone) {
    // Inner side-by-side work would only compete with the other files for the same cores.
    setParallelThreadLimit(1);
    std::vector<std::vector<EventSummary>> perFile(files.size());
    {
        WorkerPool pool(std::max(1, jobs) - 1);
        pool.run(static_cast<int>(files.size()), [&](int i) {
            const auto f = static_cast<std::size_t>(i);
            perFile[f] = summariseEventFile(files[f], choices);
            if (fileDone) fileDone();
        });
    }
    setParallelThreadLimit(0);
    std::vector<EventSummary> summaries;
    for (std::vector<EventSummary>& rows : perFile)
        for (EventSummary& s : rows) summaries.push_back(std::move(s));
    return summaries;
}

}  // namespace krnz
