// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/event_scan.h"

#include "core/workspace/event_files.h"

namespace krnz {

namespace fs = std::filesystem;

EventScanner::EventScanner(ScanSink& sink, Summarise summarise)
    : m_sink(sink),
      m_summarise(std::move(summarise)),
      m_thread([this](std::stop_token stop) { run(stop); }) {}

EventScanner::~EventScanner() {
    cancel();
    m_thread.request_stop();
    // The thread is joined by its destructor; waking it is the stop token's work.
}

std::uint64_t EventScanner::scan(const fs::path& folder, std::map<fs::path, FileStamp> known,
                                 ScanChoices choices) {
    std::uint64_t number = 0;
    {
        const std::lock_guard lock(m_mutex);
        number = ++m_last;
        m_current = number;
        m_pending = Job{number, folder, std::move(known), std::move(choices)};
    }
    m_wake.notify_one();
    return number;
}

void EventScanner::cancel() {
    const std::lock_guard lock(m_mutex);
    m_current = 0;
    m_pending.reset();
}

template <typename Report>
bool EventScanner::reportIfCurrent(std::uint64_t scan, Report&& report) {
    // Reporting under the lock is what lets scan() promise that an old scan says nothing more.
    const std::lock_guard lock(m_mutex);
    if (scan != m_current) return false;
    report();
    return true;
}

void EventScanner::run(std::stop_token stop) {
    while (!stop.stop_requested()) {
        std::optional<Job> job;
        {
            std::unique_lock lock(m_mutex);
            if (!m_wake.wait(lock, stop, [this] { return m_pending.has_value(); })) return;
            job = std::move(m_pending);
            m_pending.reset();
        }
        runJob(*job, stop);
    }
}

void EventScanner::runJob(const Job& job, std::stop_token stop) {
    const std::vector<fs::path> files = findEventFiles({job.folder}, false);
    std::vector<std::pair<fs::path, FileStamp>> toRead;
    for (const fs::path& file : files) {
        const FileStamp stamp = stampOf(file);
        const auto known = job.known.find(file);
        if (known == job.known.end() || !(known->second == stamp)) toRead.emplace_back(file, stamp);
    }
    if (!reportIfCurrent(job.scan, [&] { m_sink.listed(job.scan, files, toRead.size()); })) return;

    SummaryChoices choices;
    choices.display = job.choices.display;
    if (job.choices.standard) choices.standard = &*job.choices.standard;
    for (std::size_t i = 0; i < toRead.size(); ++i) {
        if (stop.stop_requested()) return;
        {
            const std::lock_guard lock(m_mutex);
            if (job.scan != m_current) return;
        }
        std::vector<EventSummary> summaries = m_summarise(toRead[i].first, choices);
        const bool current = reportIfCurrent(job.scan, [&] {
            m_sink.read(job.scan, i + 1, toRead.size(), toRead[i].first, toRead[i].second,
                        std::move(summaries));
        });
        if (!current) return;
    }
    reportIfCurrent(job.scan, [&] { m_sink.finished(job.scan); });
}

}  // namespace krnz
