// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the core writes, under every way a write can fail: the folder it goes to stays byte
// for byte (the file the user had, the files beside it, no temporary file left behind), and the
// failure is reported, naming the file.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>

#include "core/analysis/macro_file.h"
#include "core/analysis/wav_writer.h"
#include "core/common/error.h"
#include "core/event/user_info.h"
#include "core/event/user_info_store.h"
#include "core/settings/atomic_file.h"
#include "core/settings/file_bytes.h"
#include "core/settings/ini_document.h"
#include "core/workspace/event_export.h"
#include "core/workspace/workspace.h"
#include "k100_writer.h"
#include "realistic_events.h"
#include "support/failed_write.h"
#include "support/temp_dir.h"
#include "tremolog_writer.h"

namespace krnz::settings {
namespace {

namespace fs = std::filesystem;
using test::countOtherFiles;
using test::Fault;
using test::InjectedFault;
using test::readBytes;
using test::writeBytes;
using test::Writer;

void writeK100(const fs::path& folder) {
    test::TempDir::writeTo(folder / "KRN00412.101",
                           eventgen::writeK100(eventgen::makeRealisticK100(0, 12)));
}

// An export of the K100 event in the folder.
std::function<bool(const fs::path&)> exportTo(ExportFormat format, const char* file) {
    return [format, file](const fs::path& folder) {
        Workspace workspace(builtinEnglish());
        workspace.open(folder / "KRN00412.101");
        writeExport(workspace, format, folder / file);
        return true;
    };
}

UserInfo anotherClient() {
    UserInfo info;
    info.client = "Another client";
    info.freeText = "line 1\r\nline 2";
    return info;
}

const Writer kWriters[] = {
    {"Settings",
     {"krnz.ini"},
     {},
     [](const fs::path& folder) {
         IniDocument doc = IniDocument::load(folder / "krnz.ini");
         doc.set("general", "pictureDir", "/home/someone/pictures");
         doc.save();
         return true;
     }},
    {"UserInfo",
     {"KRN00412.101.userinfo"},
     [](const fs::path& folder) { writeBytes(folder / "KRN00412.101", "event bytes"); },
     [](const fs::path& folder) {
         writeUserInfoFile(folder / "KRN00412.101", anotherClient());
         return true;
     }},
    // The event file itself is what is written: its text section, in place.
    {"TremologTexts",
     {"event.tremolog"},
     [](const fs::path& folder) {
         test::TempDir::writeTo(
             folder / "event.tremolog",
             eventgen::writeTremolog(eventgen::makeRealisticTremolog(1000, 2000, 12)));
     },
     [](const fs::path& folder) {
         writeTremologTexts(folder / "event.tremolog", anotherClient());
         return true;
     }},
    {"Macro",
     {"vibration"},
     {},
     [](const fs::path& folder) {
         analysis::EncodedLists lists;
         lists[0] = {"7 10", "3"};
         analysis::writeMacroFile(folder / "vibration", lists);
         return true;
     }},
    {"Sound",
     {"krnz.wav"},
     {},
     [](const fs::path& folder) {
         const std::int16_t samples[] = {0, 32766, -32766, 5};
         return analysis::writeWav(samples, 1024, folder / "krnz.wav");
     }},
    {"ExportCsv", {"event.csv"}, writeK100, exportTo(ExportFormat::Csv, "event.csv")},
    {"ExportWav4", {"event.wav"}, writeK100, exportTo(ExportFormat::Wav4, "event.wav")},
    // The records and the sidecar that describes them: both stay old, or both are new.
    {"ExportMiniSeed",
     {"event.mseed", "event.mseed.json"},
     writeK100,
     exportTo(ExportFormat::MiniSeed, "event.mseed")},
};

class FailedWrite : public testing::TestWithParam<std::tuple<Writer, Fault>> {};

TEST_P(FailedWrite, LeavesTheOldFilesWholeAndSaysSo) {
    const auto& [writer, fault] = GetParam();
    test::expectFailedWriteKeepsTheFolder(writer, fault);
}

INSTANTIATE_TEST_SUITE_P(EveryFileAndFault, FailedWrite,
                         testing::Combine(testing::ValuesIn(kWriters),
                                          testing::ValuesIn(test::kEveryFault)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    test::faultName(std::get<1>(info.param));
                         });

TEST(FailedWrite, ADiskFullMessageSaysWhy) {
    test::TempDir dir;
    InjectedFault injected(Fault::DiskFull);
    try {
        writeFileAtomically(dir.path() / "option.ini", std::string(4096, 'x'));
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(error.text().find(std::strerror(ENOSPC)), std::string::npos) << error.text();
    }
    EXPECT_FALSE(fs::exists(dir.path() / "option.ini"));
    EXPECT_EQ(countOtherFiles(dir.path(), "option.ini"), 0);
}

}  // namespace
}  // namespace krnz::settings
