// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "core/report/ppvzx_config.h"
#include "core/settings/options.h"
#include "core/workspace/event_list.h"
#include "core/workspace/event_summary.h"

namespace krnz {

// Where a scan's findings go. Called on the scanner's thread, for each scan in this order:
// `listed` once, `read` for each file read, `finished` unless the scan was given up. No call of
// a scan comes after a later scan was started.
class ScanSink {
  public:
    virtual ~ScanSink() = default;
    // Every event file of the folder now, and how many of them are to be read.
    virtual void listed(std::uint64_t scan, const std::vector<std::filesystem::path>& files,
                        std::size_t toRead) = 0;
    // A file read: `done` of `total` to read.
    virtual void read(std::uint64_t scan, std::size_t done, std::size_t total,
                      const std::filesystem::path& file, const FileStamp& stamp,
                      std::vector<EventSummary> summaries) = 0;
    virtual void finished(std::uint64_t scan) = 0;
};

// How a scan summarises: the display the events are measured in and the standard they are
// judged by (none: no verdict).
struct ScanChoices {
    settings::Options display;
    std::optional<report::PpvzxStandard> standard;
};

// Reads the event files of a folder one after another on a thread of its own, so that a window
// stays free while they are read. A new scan gives up the one under way after its file in hand.
class EventScanner {
  public:
    // How one file is read; summariseEventFile unless a test stands in for it.
    using Summarise = std::function<std::vector<EventSummary>(const std::filesystem::path&,
                                                              const SummaryChoices&)>;

    explicit EventScanner(ScanSink& sink, Summarise summarise = summariseEventFile);
    // Gives up the scan under way and waits for the file in hand.
    ~EventScanner();
    EventScanner(const EventScanner&) = delete;
    EventScanner& operator=(const EventScanner&) = delete;

    // Starts a scan of `folder`'s event files; a file in `known` with the same stamp now is not
    // read again. Returns the scan's number, larger than any before.
    std::uint64_t scan(const std::filesystem::path& folder,
                       std::map<std::filesystem::path, FileStamp> known, ScanChoices choices);
    // Gives up the scan under way: nothing more is reported of it.
    void cancel();

  private:
    struct Job {
        std::uint64_t scan = 0;
        std::filesystem::path folder;
        std::map<std::filesystem::path, FileStamp> known;
        ScanChoices choices;
    };

    void run(std::stop_token stop);
    void runJob(const Job& job, std::stop_token stop);
    // Calls `report` while `scan` is still the current one; false when it is not.
    template <typename Report>
    bool reportIfCurrent(std::uint64_t scan, Report&& report);

    ScanSink& m_sink;
    Summarise m_summarise;
    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::optional<Job> m_pending;
    std::uint64_t m_current = 0;  // the scan whose reports count; 0 after cancel
    std::uint64_t m_last = 0;
    std::jthread m_thread;  // last: started when everything it uses is made
};

}  // namespace krnz
