// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the program writes, under every way a write can fail: the file the user had stays
// byte for byte, no temporary file is left behind, and the failure is reported, naming the file.
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
#include "support/temp_dir.h"

namespace krnz::settings {
namespace {

namespace fs = std::filesystem;
using test::countOtherFiles;
using test::readBytes;
using test::writeBytes;

enum class Fault { ReadOnlyFolder, DiskFull, RenameFails };

// Injects the fault for the lifetime of the object, and always clears it again.
class InjectedFault {
  public:
    explicit InjectedFault(Fault fault) {
        switch (fault) {
            case Fault::ReadOnlyFolder:
                detail::setFailingStepForTesting(detail::FailingStep::CreateTemporary, EROFS);
                break;
            case Fault::DiskFull:
                detail::setFailingStepForTesting(detail::FailingStep::Write, ENOSPC);
                break;
            case Fault::RenameFails:
                detail::setRenameStepForTesting(
                    [](const fs::path&, const fs::path&, std::error_code& e) {
                        e = std::make_error_code(std::errc::permission_denied);
                    });
                break;
        }
    }
    ~InjectedFault() {
        detail::setFailingStepForTesting(std::nullopt, 0);
        detail::setRenameStepForTesting({});
    }
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;
};

// A writer of one kind of file: its file name and the write that replaces the old content.
// The write returns false for a failure it reports by its result instead of an exception.
struct Writer {
    const char* name;
    const char* fileName;
    std::function<bool(const fs::path& folder)> write;
};

const Writer kWriters[] = {
    {"Settings", "krnz.ini",
     [](const fs::path& folder) {
         IniDocument doc = IniDocument::load(folder / "krnz.ini");
         doc.set("general", "pictureDir", "/home/someone/pictures");
         doc.save();
         return true;
     }},
    {"UserInfo", "KRN00412.101.userinfo",
     [](const fs::path& folder) {
         UserInfo info;
         info.client = "Another client";
         info.freeText = "line 1\r\nline 2";
         writeUserInfoFile(folder / "KRN00412.101", info);
         return true;
     }},
    {"Macro", "vibration",
     [](const fs::path& folder) {
         analysis::EncodedLists lists;
         lists[0] = {"7 10", "3"};
         analysis::writeMacroFile(folder / "vibration", lists);
         return true;
     }},
    {"Sound", "krnz.wav",
     [](const fs::path& folder) {
         const std::int16_t samples[] = {0, 32766, -32766, 5};
         return analysis::writeWav(samples, 1024, folder / "krnz.wav");
     }},
};

const std::string kOldContent = "[general]\r\nclient=The client's own words\r\nversion=1\r\n";

class FailedWrite : public testing::TestWithParam<std::tuple<Writer, Fault>> {};

TEST_P(FailedWrite, LeavesTheOldFileWholeAndSaysSo) {
    const auto& [writer, fault] = GetParam();
    test::TempDir dir;
    writeBytes(dir.path() / "KRN00412.101", "event bytes");
    const fs::path file = dir.path() / writer.fileName;
    writeBytes(file, kOldContent);

    bool reported = false;
    {
        InjectedFault injected(fault);
        try {
            reported = !writer.write(dir.path());
        } catch (const Error& error) {
            reported = true;
            EXPECT_NE(error.text().find(writer.fileName), std::string::npos) << error.text();
        }
    }
    EXPECT_TRUE(reported);
    EXPECT_EQ(readBytes(file), kOldContent);
    EXPECT_EQ(readBytes(dir.path() / "KRN00412.101"), "event bytes");
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == writer.fileName || name == "KRN00412.101") << "left behind: " << name;
    }

    // Once the fault is gone the same write goes through.
    EXPECT_TRUE(writer.write(dir.path()));
    EXPECT_NE(readBytes(file), kOldContent);
}

std::string faultName(Fault fault) {
    switch (fault) {
        case Fault::ReadOnlyFolder:
            return "ReadOnlyFolder";
        case Fault::DiskFull:
            return "DiskFull";
        case Fault::RenameFails:
            return "RenameFails";
    }
    return "?";
}

// Failure messages name the writer and the fault instead of dumping their bytes.
void PrintTo(const Writer& writer, std::ostream* os) {
    *os << writer.name;
}

void PrintTo(Fault fault, std::ostream* os) {
    *os << faultName(fault);
}

INSTANTIATE_TEST_SUITE_P(EveryFileAndFault, FailedWrite,
                         testing::Combine(testing::ValuesIn(kWriters),
                                          testing::Values(Fault::ReadOnlyFolder, Fault::DiskFull,
                                                          Fault::RenameFails)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    faultName(std::get<1>(info.param));
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
