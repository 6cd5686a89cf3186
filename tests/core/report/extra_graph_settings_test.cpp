// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/extra_graph_settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace krnz::report {
namespace {

namespace fs = std::filesystem;

fs::path writeText(const test::TempDir& dir, const std::string& text) {
    const fs::path p = dir.path() / "extraGraph.ini";
    std::ofstream(p) << text;
    return p;
}

std::string readText(const fs::path& p) {
    std::ostringstream s;
    s << std::ifstream(p).rdbuf();
    return s.str();
}

TEST(ExtraGraphSettings, MissingFileGivesTheDefaults) {
    test::TempDir dir;
    const ExtraGraphSettings s = readExtraGraphIni(dir.path() / "none.ini", std::nullopt);
    EXPECT_EQ(s.standard, "US");
    EXPECT_EQ(s.geometry, (settings::WindowGeometry{120, 120, 8600, 5780}));
}

TEST(ExtraGraphSettings, SavedValuesReadBackAndOtherLinesStay) {
    test::TempDir dir;
    const fs::path p = writeText(dir, "; kept\n[general]\nmine=1\n");
    const ExtraGraphSettings saved{"BS 7385-2", {300.5f, 240, 9000, 6000}};
    savePPVZXsettings(p, saved);
    EXPECT_EQ(readExtraGraphIni(p, std::nullopt), saved);
    const std::string text = readText(p);
    EXPECT_NE(text.find("; kept"), std::string::npos);
    EXPECT_NE(text.find("mine=1"), std::string::npos);
    EXPECT_LT(text.find("standard="), text.find("sizeLeft="));
    EXPECT_LT(text.find("sizeTop="), text.find("sizeWidth="));
}

TEST(ExtraGraphSettings, AWindowLargerThanTheWorkAreaTakesItsSizeAtTheEdge) {
    test::TempDir dir;
    const fs::path p =
        writeText(dir, "[general]\nsizeWidth=20000\nsizeHeight=4000\nsizeLeft=500\nsizeTop=700\n");
    const ExtraGraphSettings s = readExtraGraphIni(p, settings::WindowGeometry{0, 0, 15000, 9000});
    EXPECT_EQ(s.geometry, (settings::WindowGeometry{0, 700, 15000, 4000}));
}

TEST(ExtraGraphSettings, NumbersThatAreNoNumbersReadAsZero) {
    test::TempDir dir;
    const fs::path p =
        writeText(dir, "[general]\nsizeWidth=wide\nsizeLeft=12abc\nstandard=DIN 4150-3\n");
    const ExtraGraphSettings s = readExtraGraphIni(p, std::nullopt);
    EXPECT_EQ(s.geometry.width, 0);
    EXPECT_EQ(s.geometry.left, 12);
    EXPECT_EQ(s.standard, "DIN 4150-3");
}

}  // namespace
}  // namespace krnz::report
