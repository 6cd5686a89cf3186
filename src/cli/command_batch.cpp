// SPDX-License-Identifier: GPL-3.0-or-later
// `krnz-cli batch`: one row per event and slot for a campaign's folder of events.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>

#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/standards.h"
#include "core/common/error.h"
#include "core/settings/atomic_file.h"
#include "core/settings/options.h"
#include "core/workspace/event_files.h"
#include "core/workspace/event_summary.h"
#include "core/workspace/summary_table.h"

namespace krnz::cli {
namespace {

namespace fs = std::filesystem;

void jsonEvent(JsonWriter& json, const EventSummary& e, bool judged) {
    const bool read = !e.channels.empty();
    json.beginObject();
    json.key("file").value(e.file.string());
    json.key("group").value(e.group);
    json.key("layout");
    read ? json.value(e.layout) : json.null();
    json.key("instrumentSN");
    read ? json.value(e.instrumentSN) : json.null();
    json.key("eventNumber");
    read ? json.value(e.eventNumber) : json.null();
    json.key("dateTime");
    read ? json.value(e.dateTime) : json.null();
    json.key("vectorMax");
    read ? json.value(e.vectorMax) : json.null();
    json.key("error");
    e.error ? json.value(*e.error) : json.null();
    json.key("channels").beginArray();
    for (const ChannelSummary& c : e.channels) {
        json.beginObject();
        json.key("slot").value(c.slot);
        json.key("channel").value(c.channel);
        json.key("unit").value(c.unit);
        json.key("peak").value(c.peak);
        json.key("peakFrq").value(c.peakFrq);
        json.key("diffPeak").value(c.diffPeak);
        json.key("integPeak").value(c.integPeak);
        json.key("dB").value(c.dB);
        json.key("worstRatio").value(c.worstRatio);
        json.key("exceeds");
        judged ? json.value(c.exceeds) : json.null();
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

// "12/40 files" on one line of a terminal, rewritten as files are done.
class Progress {
  public:
    explicit Progress(std::size_t total) : m_total(total), m_shown(isatty(STDERR_FILENO) != 0) {}
    ~Progress() {
        if (m_shown && m_total > 0) std::cerr << "\n";
    }
    void fileDone() {
        const std::size_t done = ++m_done;
        if (!m_shown) return;
        const std::lock_guard lock(m_mutex);
        std::cerr << "\rkrnz-cli batch: " << done << "/" << m_total << " files" << std::flush;
    }

  private:
    std::size_t m_total;
    bool m_shown;
    std::atomic<std::size_t> m_done{0};
    std::mutex m_mutex;
};

fs::path pagePath(const fs::path& dir, const EventSummary& e) {
    return dir / (e.file.filename().string() + (e.group == 2 ? ".g2" : "") + ".pdf");
}

}  // namespace

int runBatch(const Options& options, const BatchPageWriter& pages) {
    if (options.pdfDir && !pages) throw UsageError("--pdf-dir needs a build with the Qt libraries");
    std::optional<report::PpvzxTable> table;
    int standard = -1;
    if (options.standard || options.pdfDir) {
        table = loadStandards(options);
        standard = chosenStandard(options, *table, false);
    }
    const report::PpvzxStandard* judgeBy =
        options.standard ? &table->standards[static_cast<std::size_t>(standard)] : nullptr;
    if (options.pdfDir) {
        std::error_code error;
        fs::create_directories(*options.pdfDir, error);
        if (error || !fs::is_directory(*options.pdfDir))
            throw Error(kErrPathFileAccess,
                        "cannot make the folder " + *options.pdfDir + ": " + error.message());
    }

    const std::vector<fs::path> files = findEventFiles(
        std::vector<fs::path>(options.inputs.begin(), options.inputs.end()), options.recursive);
    SummaryChoices choices;
    choices.standard = judgeBy;
    std::optional<BatchPage> page;
    if (options.pdfDir) {
        page = pages(options, *table, standard);
        choices.display = page->display;
        choices.texts = page->texts;
        choices.each = [write = page->write, dir = fs::path(*options.pdfDir)](
                           Workspace& workspace, const EventSummary& summary) {
            write(workspace, pagePath(dir, summary));
        };
    }

    const int jobs =
        options.jobs.value_or(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    Progress progress(files.size());
    const std::vector<EventSummary> summaries =
        summariseEventFiles(files, choices, jobs, [&] { progress.fileDone(); });

    bool failed = false;
    std::string out;
    const bool judged = judgeBy != nullptr;
    if (options.format.value_or("csv") == "json") {
        JsonWriter json;
        json.beginObject().key("events").beginArray();
        for (const EventSummary& e : summaries) {
            jsonEvent(json, e, judged);
            failed = failed || e.error;
        }
        json.endArray().endObject();
        out = json.str() + "\n";
    } else {
        out = summaryCsvHeader() + "\n";
        for (const EventSummary& e : summaries) {
            appendSummaryCsv(out, e, judged);
            failed = failed || e.error;
        }
    }
    if (options.output) {
        settings::writeFileAtomically(*options.output, out);
    } else {
        std::cout << out << std::flush;
    }
    return failed ? 1 : 0;
}

}  // namespace krnz::cli
