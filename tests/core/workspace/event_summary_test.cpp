// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/event_summary.h"

#include <gtest/gtest.h>

#include <string>

#include "core/workspace/event_files.h"
#include "core/workspace/summary_table.h"
#include "k100_writer.h"
#include "k200_writer.h"
#include "realistic_events.h"
#include "support/temp_dir.h"

namespace krnz {
namespace {

namespace fs = std::filesystem;
namespace gen = eventgen;

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(EventFiles, AFolderGivesItsEventsByTagOrByNameSorted) {
    const test::TempDir dir;
    const std::vector<std::uint8_t> k100 = gen::writeK100(gen::K100Event{});
    dir.write("KRN00002.001", k100);
    dir.write("renamed.bin", k100);                           // by its tag
    dir.write("KRN00001.001", bytesOf("damaged"));            // by its name
    dir.write("blast.TREMOLOG", bytesOf("short"));            // by its name, any case
    dir.write("KRN00001.001.userinfo", bytesOf("[info]\n"));  // beside an event, not one
    dir.write("notes.txt", bytesOf("nothing here"));
    dir.write("table.csv", bytesOf("t;x;5;6"));  // a fifth byte the reader would take
    dir.write("KRN1", bytesOf("no extension"));
    fs::create_directory(dir.path() / "deeper");
    dir.write("deeper/KRN00003.001", k100);

    auto names = [&](bool recursive) {
        std::vector<std::string> found;
        for (const fs::path& p : findEventFiles({dir.path()}, recursive))
            found.push_back(fs::relative(p, dir.path()).string());
        return found;
    };
    EXPECT_EQ(names(false), (std::vector<std::string>{"KRN00001.001", "KRN00002.001",
                                                      "blast.TREMOLOG", "renamed.bin"}));
    EXPECT_EQ(names(true),
              (std::vector<std::string>{"KRN00001.001", "KRN00002.001", "blast.TREMOLOG",
                                        "deeper/KRN00003.001", "renamed.bin"}));
}

TEST(EventFiles, NamedFilesAreKeptAndLinkLoopsEnd) {
    const test::TempDir dir;
    const fs::path notes = dir.write("notes.txt", bytesOf("x"));
    fs::create_directory(dir.path() / "a");
    fs::create_directory_symlink(dir.path(), dir.path() / "a" / "loop");
    dir.write("a/KRN00001.001", gen::writeK100(gen::K100Event{}));
    const std::vector<fs::path> found =
        findEventFiles({dir.path() / "a", notes, dir.path() / "missing", notes}, true);
    EXPECT_EQ(found, (std::vector<fs::path>{dir.path() / "a" / "KRN00001.001",
                                            dir.path() / "missing", notes}));
}

TEST(EventSummary, AnEightChannelEventGivesASecondGroupOnlyWithSensorsThere) {
    const test::TempDir dir;
    gen::K200Event both;
    const fs::path eight = dir.write("KRN00001.001", gen::writeK200(both));
    gen::K200Event lower = both;
    for (int k = 4; k < 8; ++k) lower.header.channels[static_cast<std::size_t>(k)].sensorKind = 0;
    const fs::path four = dir.write("KRN00002.001", gen::writeK200(lower));

    const std::vector<EventSummary> groups = summariseEventFile(eight, SummaryChoices{});
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].group, 1);
    EXPECT_EQ(groups[1].group, 2);
    EXPECT_EQ(groups[1].channels[0].channel, "Geo 5");
    EXPECT_EQ(groups[1].layout, "K200");
    EXPECT_FALSE(groups[1].error);
    EXPECT_EQ(summariseEventFile(four, SummaryChoices{}).size(), 1u);
}

TEST(EventSummary, AFileThatCannotBeReadIsOneRowWithItsMessage) {
    const test::TempDir dir;
    const fs::path bad = dir.write("KRN00001.001", bytesOf("ABCDEFGH and more"));
    const std::vector<EventSummary> rows = summariseEventFile(bad, SummaryChoices{});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].error, "bad filetype: ABCDEFGH");
    EXPECT_TRUE(rows[0].channels.empty());
    const std::vector<EventSummary> missing =
        summariseEventFile(dir.path() / "gone", SummaryChoices{});
    ASSERT_TRUE(missing[0].error);
    EXPECT_NE(missing[0].error->find("gone"), std::string::npos);
}

TEST(EventSummary, APageThatFailsKeepsTheNumbersAndSaysWhy) {
    const test::TempDir dir;
    const fs::path file = dir.write("KRN00001.001", gen::writeK100(gen::K100Event{}));
    SummaryChoices choices;
    choices.each = [](Workspace&, const EventSummary&) {
        throw Error(kErrPathFileAccess, "cannot write page.pdf");
    };
    const std::vector<EventSummary> rows = summariseEventFile(file, choices);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].error, "cannot write page.pdf");
    EXPECT_EQ(rows[0].channels.size(), 4u);
    EXPECT_EQ(rows[0].layout, "K100");
}

TEST(EventSummary, TheVerdictColumnsFollowTheStandard) {
    const test::TempDir dir;
    const fs::path file = dir.write("KRN00001.001", gen::writeK100(gen::makeRealisticK100(0, 7)));
    report::PpvzxStandard strict;
    strict.name = "Strict";
    strict.lines = {{{1, 100}, {1e-6, 1e-6}}};
    SummaryChoices choices;
    const EventSummary plain = summariseEventFile(file, choices)[0];
    EXPECT_FALSE(plain.worstRatio());
    choices.standard = &strict;
    const EventSummary judged = summariseEventFile(file, choices)[0];
    ASSERT_TRUE(judged.channels[0].worstRatio);
    EXPECT_GT(*judged.channels[0].worstRatio, 1.0);
    EXPECT_TRUE(judged.channels[0].exceeds);
    EXPECT_TRUE(judged.exceeds());
    // The microphone is no velocity: never judged.
    EXPECT_FALSE(judged.channels[3].worstRatio);
}

// Files the batch found that are gone or cut by the time their turn comes (changed from the
// progress callback after the first file, the batch on one thread so the order is fixed): each
// such file's row says what it says for that file read alone, and every other row is the one a
// batch over untouched files gives.
TEST(EventSummary, FilesThatVanishOrShrinkDuringTheBatchChangeOnlyTheirRows) {
    const test::TempDir dir;
    std::vector<fs::path> files;
    for (std::uint32_t seed = 1; seed <= 6; ++seed)
        files.push_back(dir.write("KRN0000" + std::to_string(seed) + ".001",
                                  gen::writeK100(gen::makeRealisticK100(0, seed))));
    auto csvRows = [](const std::vector<EventSummary>& rows) {
        std::vector<std::string> lines;
        for (const EventSummary& row : rows) {
            std::string line;
            appendSummaryCsv(line, row, false);
            lines.push_back(line);
        }
        return lines;
    };
    const std::vector<std::string> untouched =
        csvRows(summariseEventFiles(files, SummaryChoices{}, 1));
    ASSERT_EQ(untouched.size(), files.size());

    const fs::path& vanishes = files[2];
    const fs::path& cutInHeader = files[3];
    const fs::path& cutInSamples = files[4];
    int done = 0;
    const std::vector<EventSummary> rows = summariseEventFiles(files, SummaryChoices{}, 1, [&] {
        if (++done != 1) return;
        fs::remove(vanishes);
        fs::resize_file(cutInHeader, 3);
        fs::resize_file(cutInSamples, 512 + 8 * 700);
    });
    ASSERT_EQ(rows.size(), files.size());
    const std::vector<std::string> lines = csvRows(rows);
    for (const std::size_t i : {0u, 1u, 5u}) {
        EXPECT_EQ(lines[i], untouched[i]) << files[i];
        EXPECT_FALSE(rows[i].error);
    }
    ASSERT_TRUE(rows[2].error);
    EXPECT_EQ(*rows[2].error, "File not found: " + vanishes.string());
    EXPECT_EQ(rows[3].error, "bad filetype: KRN");
    // A file cut within its samples is read as any short file is: its lacking samples are 0.
    EXPECT_FALSE(rows[4].error);
    EXPECT_NE(lines[4], untouched[4]);
    EXPECT_EQ(lines[4], csvRows(summariseEventFile(cutInSamples, SummaryChoices{}))[0]);
    for (std::size_t i = 2; i <= 4; ++i) EXPECT_EQ(rows[i].file, files[i]);
}

}  // namespace
}  // namespace krnz
