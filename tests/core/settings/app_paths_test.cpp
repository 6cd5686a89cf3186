// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/app_paths.h"

#include "core/settings/file_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace krnz::settings {
namespace {

namespace fs = std::filesystem;

TEST(AppPaths, AWritableProgramFolderWithLanguagesIsPortable) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "language");
    const AppPaths paths = AppPaths::detect(dir.path(), {"/cfg", "/data", "/home/anna"});
    EXPECT_TRUE(paths.isPortable());
    EXPECT_EQ(paths.generalIniPath(), dir.path() / "krnz.ini");
    EXPECT_EQ(paths.optionIniPath(), dir.path() / "option.ini");
    EXPECT_EQ(paths.languageDirs(), (std::vector<fs::path>{dir.path() / "language"}));
    EXPECT_EQ(paths.macroDir(), dir.path() / "macro");
    EXPECT_EQ(paths.documentsDir(), dir.path());
    EXPECT_EQ(test::countOtherFiles(dir.path(), "language"), 0);  // the write probe is gone
}

TEST(AppPaths, AnInstalledProgramFollowsTheXdgFolders) {
    test::TempDir dir;
    const fs::path bin = dir.path() / "usr" / "bin";
    fs::create_directories(bin);
    const AppPaths paths = AppPaths::detect(bin, {"/cfg", "/data", "/home/anna"});
    EXPECT_FALSE(paths.isPortable());
    EXPECT_EQ(paths.generalIniPath(), fs::path("/cfg/krnz/krnz.ini"));
    EXPECT_EQ(paths.languageDirs(),
              (std::vector<fs::path>{"/data/krnz/language",
                                     dir.path() / "usr" / "share" / "krnz" / "language"}));
    EXPECT_EQ(paths.macroDir(), fs::path("/data/krnz/macro"));
    EXPECT_EQ(paths.documentsDir(), fs::path("/home/anna"));

    // Unset or relative XDG variables mean the defaults below the home folder.
    const AppPaths defaults = AppPaths::installed(bin, {"", "relative/data", "/home/anna"});
    EXPECT_EQ(defaults.settingsDir(), fs::path("/home/anna/.config/krnz"));
    EXPECT_EQ(defaults.macroDir(), fs::path("/home/anna/.local/share/krnz/macro"));
}

TEST(AppPaths, TheUsersCopyOfADataFileWins) {
    test::TempDir dir;
    const fs::path bin = dir.path() / "bin";
    const fs::path shipped = dir.path() / "share" / "krnz";
    const fs::path user = dir.path() / "home" / ".local" / "share" / "krnz";
    fs::create_directories(bin);
    fs::create_directories(shipped);
    const AppPaths paths = AppPaths::installed(bin, {"", "", (dir.path() / "home").string()});
    test::writeBytes(shipped / "PPVZX.ini", "shipped");
    EXPECT_EQ(paths.dataFile("PPVZX.ini"), shipped / "PPVZX.ini");
    paths.createUserDirs();
    EXPECT_TRUE(fs::is_directory(paths.settingsDir()));
    EXPECT_TRUE(fs::is_directory(paths.macroDir()));
    test::writeBytes(user / "PPVZX.ini", "mine");
    EXPECT_EQ(paths.dataFile("PPVZX.ini"), user / "PPVZX.ini");
    EXPECT_EQ(paths.dataFile("missing.ini"), shipped / "missing.ini");
}

// The guide of the current language, else the English one; a user's copy first, as for every
// data file.
TEST(AppPaths, TheGuideFollowsTheLanguage) {
    test::TempDir dir;
    const fs::path bin = dir.path() / "usr" / "bin";
    const fs::path shipped = dir.path() / "usr" / "share" / "krnz" / "doc";
    const fs::path user = dir.path() / "data" / "krnz" / "doc";
    fs::create_directories(bin);
    fs::create_directories(shipped);
    fs::create_directories(user);
    const AppPaths paths = AppPaths::detect(bin, {"/cfg", (dir.path() / "data").string(), "/h"});
    test::writeBytes(shipped / "english.md", "# Guide");
    test::writeBytes(shipped / "svenska.md", "# Handbok");
    EXPECT_EQ(paths.guideFile("svenska.txt"), shipped / "svenska.md");
    EXPECT_EQ(paths.guideFile("english.txt"), shipped / "english.md");
    EXPECT_EQ(paths.guideFile("deutsch.txt"), shipped / "english.md");
    test::writeBytes(user / "svenska.md", "# Min handbok");
    EXPECT_EQ(paths.guideFile("svenska.txt"), user / "svenska.md");
    EXPECT_EQ(paths.guideFile("deutsch.txt"), shipped / "english.md");
}

}  // namespace
}  // namespace krnz::settings
