// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/recent_files.h"

#include <gtest/gtest.h>

#include "core/settings/ini_document.h"
#include "support/temp_dir.h"

namespace krnz::view {
namespace {

using List = std::vector<std::string>;

TEST(RecentFiles, NewestFirstOnceEachAtMostEight) {
    List list;
    for (int i = 1; i <= 10; ++i) list = pushRecentFile(list, "/e/" + std::to_string(i));
    ASSERT_EQ(list.size(), kMaxRecentFiles);
    EXPECT_EQ(list.front(), "/e/10");
    EXPECT_EQ(list.back(), "/e/3");
    list = pushRecentFile(list, "/e/5");
    EXPECT_EQ(list.front(), "/e/5");
    EXPECT_EQ(std::count(list.begin(), list.end(), "/e/5"), 1);
    EXPECT_EQ(list.size(), kMaxRecentFiles);
}

TEST(RecentFiles, RoundTripBesideOtherSettings) {
    test::TempDir dir;
    const auto ini = dir.path() / "krnz.ini";
    {
        settings::IniDocument doc = settings::IniDocument::load(ini);
        doc.set("general", "language", "svenska.txt");
        doc.save();
    }
    const List list = {"/data/KRN00412.101", "/data/a b/blast.tremolog", "C:\\old\\KRN1.001"};
    writeRecentFiles(ini, list);
    EXPECT_EQ(readRecentFiles(ini), list);
    EXPECT_EQ(settings::IniDocument::load(ini).get("general", "language", ""), "svenska.txt");
    writeRecentFiles(ini, {"/only"});
    EXPECT_EQ(readRecentFiles(ini), List{"/only"}) << "shorter lists leave no stale entries";
    EXPECT_TRUE(readRecentFiles(dir.path() / "missing.ini").empty());
}

}  // namespace
}  // namespace krnz::view
