// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writers of files under the ways a write can fail, for GoogleTest suites: the folder the write
// goes to stays byte for byte as it was (no file changed, none left behind), and the failure is
// reported, naming the file.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "core/common/error.h"
#include "core/settings/atomic_file.h"
#include "core/settings/file_bytes.h"
#include "support/injected_fault.h"
#include "support/temp_dir.h"

namespace krnz::test {

// Every file in a folder (not below it) with its bytes.
inline std::map<std::string, std::string> folderBytes(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = readBytes(entry.path());
    return files;
}

// A writer of one kind of file. `prepare` puts the old files (and what the write reads) into
// the folder; `write` replaces `files` there and returns false for a failure it reports by its
// result instead of an exception.
struct Writer {
    const char* name;
    std::vector<const char*> files;
    std::function<void(const std::filesystem::path& folder)> prepare;
    std::function<bool(const std::filesystem::path& folder)> write;
};

inline void PrintTo(const Writer& writer, std::ostream* os) {
    *os << writer.name;
}

// The old content of every written file, when `prepare` does not make them.
inline const std::string kOldContent =
    "[general]\r\nclient=The client's own words\r\nversion=1\r\n";

// The check every writer passes under every fault, and then, the fault gone, the write goes
// through and changes each of its files.
inline void expectFailedWriteKeepsTheFolder(const Writer& writer, Fault fault) {
    TempDir dir;
    for (const char* name : writer.files) writeBytes(dir.path() / name, kOldContent);
    if (writer.prepare) writer.prepare(dir.path());
    const std::map<std::string, std::string> before = folderBytes(dir.path());

    bool reported = false;
    {
        InjectedFault injected(fault);
        try {
            reported = !writer.write(dir.path());
        } catch (const Error& error) {
            reported = true;
            bool named = false;
            for (const char* name : writer.files)
                named = named || error.text().find(name) != std::string::npos;
            EXPECT_TRUE(named) << error.text();
        }
    }
    EXPECT_TRUE(reported);
    const std::map<std::string, std::string> after = folderBytes(dir.path());
    EXPECT_EQ(after.size(), before.size());
    for (const auto& [name, bytes] : after) {
        const auto old = before.find(name);
        if (old == before.end()) {
            ADD_FAILURE() << "left behind: " << name;
        } else {
            EXPECT_TRUE(old->second == bytes) << name << " changed";
        }
    }

    EXPECT_TRUE(writer.write(dir.path()));
    for (const char* name : writer.files)
        EXPECT_NE(readBytes(dir.path() / name), before.at(name)) << name << " not written";
}

}  // namespace krnz::test
