// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/atomic_file.h"

#include "core/common/error.h"
#include "core/settings/file_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace krnz::settings {
namespace {

namespace fs = std::filesystem;
using test::countOtherFiles;
using test::readBytes;
using test::writeBytes;

// Puts the real rename back even when a test fails half-way.
struct FailingRename {
    FailingRename() {
        detail::setRenameStepForTesting([](const fs::path&, const fs::path&, std::error_code& e) {
            e = std::make_error_code(std::errc::io_error);
        });
    }
    ~FailingRename() { detail::setRenameStepForTesting({}); }
};

TEST(AtomicFile, ReplacesTheContentAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const auto path = dir.path() / "option.ini";
    writeFileAtomically(path, "first");
    writeFileAtomically(path, "second, longer");
    writeFileAtomically(path, "3");
    EXPECT_EQ(readBytes(path), "3");
    EXPECT_EQ(countOtherFiles(dir.path(), "option.ini"), 0);
}

TEST(AtomicFile, AFailedRenameKeepsTheOldFileWhole) {
    test::TempDir dir;
    const auto path = dir.path() / "krnz.ini";
    writeBytes(path, "[general]\r\nlanguage=svenska.txt\r\n");
    {
        FailingRename failing;
        try {
            writeFileAtomically(path, "[general]\r\n");
            FAIL() << "no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), kErrPathFileAccess);
            EXPECT_NE(error.text().find(path.string()), std::string::npos) << error.text();
        }
    }
    EXPECT_EQ(readBytes(path), "[general]\r\nlanguage=svenska.txt\r\n");
    EXPECT_EQ(countOtherFiles(dir.path(), "krnz.ini"), 0);
}

TEST(AtomicFile, AFolderThatCannotHoldFilesIsReported) {
    test::TempDir dir;
    writeBytes(dir.path() / "plain", "not a folder");
    EXPECT_THROW(writeFileAtomically(dir.path() / "plain" / "krnz.ini", "x"), Error);
    EXPECT_THROW(writeFileAtomically(dir.path() / "missing" / "krnz.ini", "x"), Error);
    EXPECT_EQ(readBytes(dir.path() / "plain"), "not a folder");
}

TEST(AtomicFile, KeepsPermissionsAndSymbolicLinks) {
    test::TempDir dir;
    const auto real = dir.path() / "real.ini";
    const auto link = dir.path() / "link.ini";
    writeBytes(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(real, link);
    writeFileAtomically(link, "new");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(real), "new");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// A rename that fails for the second of two files that belong together: the first, already
// replaced, gets its old bytes back, or goes again when it is new.
TEST(AtomicFiles, ALateFailurePutsTheEarlierFilesBack) {
    for (const bool firstExisted : {true, false}) {
        SCOPED_TRACE(firstExisted ? "records existed" : "records were new");
        test::TempDir dir;
        const auto records = dir.path() / "event.mseed";
        const auto sidecar = dir.path() / "event.mseed.json";
        if (firstExisted) writeBytes(records, "old records");
        writeBytes(sidecar, "old sidecar");
        detail::setRenameStepForTesting(
            [&](const fs::path& from, const fs::path& to, std::error_code& e) {
                if (to == sidecar) {
                    e = std::make_error_code(std::errc::io_error);
                } else {
                    fs::rename(from, to, e);
                }
            });
        const FileContent both[] = {{records, "new records"}, {sidecar, "new sidecar"}};
        try {
            writeFilesAtomically(both);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_NE(error.text().find(sidecar.string()), std::string::npos) << error.text();
        }
        detail::setRenameStepForTesting({});
        EXPECT_EQ(fs::exists(records), firstExisted);
        if (firstExisted) {
            EXPECT_EQ(readBytes(records), "old records");
        }
        EXPECT_EQ(readBytes(sidecar), "old sidecar");
        EXPECT_EQ(countOtherFiles(dir.path(), "event.mseed.json"), firstExisted ? 1 : 0);

        writeFilesAtomically(both);
        EXPECT_EQ(readBytes(records), "new records");
        EXPECT_EQ(readBytes(sidecar), "new sidecar");
    }
}

}  // namespace
}  // namespace krnz::settings
