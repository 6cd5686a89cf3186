// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/report/verdict.h"
#include "core/workspace/workspace.h"

namespace krnz {

// One slot of an event as a campaign's list shows it.
struct ChannelSummary {
    int slot = 0;
    std::string channel;  // the panel's channel/input caption, "Geo 1"
    int sensorKind = 0;   // 0: no sensor on the slot
    std::string unit;
    double peak = 0.0;
    double peakFrq = 0.0;
    double diffPeak = 0.0;
    double integPeak = 0.0;
    std::optional<double> dB;          // pressure units only
    std::optional<double> worstRatio;  // with a standard: the largest over its lines
    bool exceeds = false;
};

// One event (one channel group of a K200) in a row, or the message of a file that could not
// be read.
struct EventSummary {
    std::filesystem::path file;
    int group = 1;
    std::string layout;  // "K100", "K200", "Tremolog"
    int instrumentSN = 0;
    int eventNumber = 0;
    std::string dateTime;  // ISO 8601
    double vectorMax = 0.0;
    std::optional<std::string> error;
    std::vector<ChannelSummary> channels;

    bool exceeds() const;
    // The largest worst ratio of any channel.
    std::optional<double> worstRatio() const;
};

// The name of a file layout: "K100", "K200", "Tremolog".
std::string layoutName(int fileFormat);

// The message a failed read gives the user, on one line.
std::string readErrorText(const std::exception_ptr& error);

// The summary of the workspace's event, judged against `standard` when there is one.
EventSummary summariseEvent(Workspace& workspace, const report::PpvzxStandard* standard);

// How files are summarised: the standard to judge by (none: no verdict), the display the
// workspace starts from and its texts (they matter to pages drawn from it), and work done on
// each event read beyond the numbers (a page).
struct SummaryChoices {
    const report::PpvzxStandard* standard = nullptr;
    settings::Options display;
    const TextLookup* texts = &builtinEnglish();
    std::function<void(Workspace&, const EventSummary&)> each;
};

// Reads an event file and summarises it: one summary, or two for a K200 event with a sensor on
// any of channels 5-8 (the second of group 2); a file that cannot be read gives one summary
// holding its message; when `each` throws, the summary keeps its numbers and gets the message.
std::vector<EventSummary> summariseEventFile(const std::filesystem::path& file,
                                             const SummaryChoices& choices);

// summariseEventFile for every file, on `jobs` threads: the files are shared out, and each
// event is measured on the thread that read it. The summaries come in the files' order whatever
// the threads' order; `fileDone` is called (from the worker) as each file is finished.
std::vector<EventSummary> summariseEventFiles(const std::vector<std::filesystem::path>& files,
                                              const SummaryChoices& choices, int jobs,
                                              const std::function<void()>& fileDone = {});

}  // namespace krnz
