// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/event_scan.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "k100_writer.h"
#include "k200_writer.h"
#include "realistic_events.h"
#include "support/temp_dir.h"

namespace krnz {
namespace {

namespace fs = std::filesystem;
namespace gen = eventgen;

// Every report as one line ("2 read KRN00001.001 1/3 rows 1"), and a wait for a scan's end.
class LoggingSink : public ScanSink {
  public:
    void listed(std::uint64_t scan, const std::vector<fs::path>& files,
                std::size_t toRead) override {
        log(std::to_string(scan) + " listed " + std::to_string(files.size()) + " read " +
            std::to_string(toRead));
    }
    void read(std::uint64_t scan, std::size_t done, std::size_t total, const fs::path& file,
              const FileStamp& stamp, std::vector<EventSummary> summaries) override {
        log(std::to_string(scan) + " read " + file.filename().string() + " " +
            std::to_string(done) + "/" + std::to_string(total) + " rows " +
            std::to_string(summaries.size()));
        const std::lock_guard lock(m_mutex);
        stamps[file] = stamp;
        for (EventSummary& e : summaries) rows.push_back(std::move(e));
    }
    void finished(std::uint64_t scan) override {
        log(std::to_string(scan) + " finished");
        const std::lock_guard lock(m_mutex);
        m_finished = scan;
        m_done.notify_all();
    }

    // Waits for the end of `scan`; a generous bound only keeps a broken scanner from hanging.
    bool waitFor(std::uint64_t scan) {
        std::unique_lock lock(m_mutex);
        return m_done.wait_for(lock, std::chrono::minutes(2), [&] { return m_finished >= scan; });
    }
    std::vector<std::string> lines() {
        const std::lock_guard lock(m_mutex);
        return m_lines;
    }

    std::map<fs::path, FileStamp> stamps;
    std::vector<EventSummary> rows;

  private:
    void log(std::string line) {
        const std::lock_guard lock(m_mutex);
        m_lines.push_back(std::move(line));
    }

    std::mutex m_mutex;
    std::condition_variable m_done;
    std::uint64_t m_finished = 0;
    std::vector<std::string> m_lines;
};

TEST(EventScanner, ReadsEveryEventFileOnceInOrder) {
    const test::TempDir dir;
    dir.write("KRN00001.001", gen::writeK100(gen::makeRealisticK100(0, 1)));
    dir.write("KRN00002.001", gen::writeK200(gen::makeRealisticK200(0, 3)));
    dir.write("KRN00003.001", std::vector<std::uint8_t>{'A', 'B', 'C'});
    dir.write("notes.txt", std::vector<std::uint8_t>{'x'});
    LoggingSink sink;
    EventScanner scanner(sink);
    const std::uint64_t scan = scanner.scan(dir.path(), {}, ScanChoices{});
    ASSERT_TRUE(sink.waitFor(scan));
    const std::string n = std::to_string(scan);
    // The eight-channel event gives both groups; the short file one row with its message.
    EXPECT_EQ(sink.lines(),
              (std::vector<std::string>{n + " listed 3 read 3", n + " read KRN00001.001 1/3 rows 1",
                                        n + " read KRN00002.001 2/3 rows 2",
                                        n + " read KRN00003.001 3/3 rows 1", n + " finished"}));
    ASSERT_EQ(sink.rows.size(), 4u);
    EXPECT_TRUE(sink.rows[3].error);
    EXPECT_EQ(sink.stamps.at(dir.path() / "KRN00003.001").size, 3u);
}

TEST(EventScanner, OnlyNewAndChangedFilesAreReadAgain) {
    const test::TempDir dir;
    dir.write("KRN00001.001", gen::writeK100(gen::makeRealisticK100(0, 1)));
    dir.write("KRN00002.001", gen::writeK100(gen::makeRealisticK100(0, 2)));
    LoggingSink sink;
    EventScanner scanner(sink);
    ASSERT_TRUE(sink.waitFor(scanner.scan(dir.path(), {}, ScanChoices{})));
    std::map<fs::path, FileStamp> known = sink.stamps;

    dir.write("KRN00002.001", std::vector<std::uint8_t>{'A', 'B', 'C'});  // rewritten, shorter
    dir.write("KRN00003.001", gen::writeK100(gen::makeRealisticK100(0, 3)));
    const std::uint64_t scan = scanner.scan(dir.path(), known, ScanChoices{});
    ASSERT_TRUE(sink.waitFor(scan));
    const std::vector<std::string> lines = sink.lines();
    const std::string n = std::to_string(scan);
    const std::vector<std::string> second(lines.end() - 4, lines.end());
    EXPECT_EQ(second,
              (std::vector<std::string>{n + " listed 3 read 2", n + " read KRN00002.001 1/2 rows 1",
                                        n + " read KRN00003.001 2/2 rows 1", n + " finished"}));
}

TEST(EventScanner, ANewScanSilencesTheOldOne) {
    const test::TempDir first, second;
    for (const char* name : {"KRN00001.001", "KRN00002.001", "KRN00003.001"})
        first.write(name, std::vector<std::uint8_t>{'x'});
    second.write("KRN00009.001", std::vector<std::uint8_t>{'y'});

    // The first file of the first folder is held until the second scan has started.
    std::mutex mutex;
    std::condition_variable changed;
    bool reading = false, released = false;
    auto summarise = [&](const fs::path& file, const SummaryChoices& choices) {
        if (file.parent_path() == first.path()) {
            std::unique_lock lock(mutex);
            reading = true;
            changed.notify_all();
            changed.wait(lock, [&] { return released; });
        }
        return summariseEventFile(file, choices);
    };
    LoggingSink sink;
    EventScanner scanner(sink, summarise);
    const std::uint64_t old = scanner.scan(first.path(), {}, ScanChoices{});
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return reading; });
    }
    const std::uint64_t now = scanner.scan(second.path(), {}, ScanChoices{});
    {
        const std::lock_guard lock(mutex);
        released = true;
    }
    changed.notify_all();
    ASSERT_TRUE(sink.waitFor(now));
    const std::string o = std::to_string(old), n = std::to_string(now);
    EXPECT_GT(now, old);
    EXPECT_EQ(sink.lines(),
              (std::vector<std::string>{o + " listed 3 read 3", n + " listed 1 read 1",
                                        n + " read KRN00009.001 1/1 rows 1", n + " finished"}));
}

TEST(EventScanner, CancelSilencesTheScanUnderWay) {
    const test::TempDir dir;
    for (const char* name : {"KRN00001.001", "KRN00002.001"})
        dir.write(name, std::vector<std::uint8_t>{'x'});
    std::mutex mutex;
    std::condition_variable changed;
    bool reading = false, released = false;
    LoggingSink sink;
    std::uint64_t scan = 0;
    {
        EventScanner scanner(sink, [&](const fs::path& file, const SummaryChoices& choices) {
            std::unique_lock lock(mutex);
            reading = true;
            changed.notify_all();
            changed.wait(lock, [&] { return released; });
            return summariseEventFile(file, choices);
        });
        scan = scanner.scan(dir.path(), {}, ScanChoices{});
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return reading; });
        scanner.cancel();
        released = true;
        changed.notify_all();
    }
    // The scanner is gone, its thread joined: the file in hand was not reported, nor the end.
    EXPECT_EQ(sink.lines(), (std::vector<std::string>{std::to_string(scan) + " listed 2 read 2"}));
}

}  // namespace
}  // namespace krnz
