// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_layer.h"

#include "core/common/error.h"
#include "core/settings/atomic_file.h"
#include "core/settings/file_bytes.h"
#include "core/settings/ini_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <vector>

namespace krnz::settings {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

struct Aborted {};

// A layer whose question is answered from a script and whose abort is observable.
struct ScriptedLayer {
    IniLayer layer;
    std::vector<std::string> questions;
    bool answer = true;

    ScriptedLayer() {
        layer.setQuestionHandler([this](const std::string& message) {
            questions.push_back(message);
            return answer;
        });
        layer.setAbortHandler([] { throw Aborted{}; });
    }
};

TEST(IniLayer, SetThenCallSeriesWithOneOffAccessesInBetween) {
    test::TempDir dir;
    const auto general = dir.path() / "krnz.ini";
    const auto options = dir.path() / "option.ini";
    ScriptedLayer s;
    s.layer.setWriteFile(general);
    s.layer.setWriteSection("general");
    s.layer.writeIni("sizeLeft", 10.5f);
    s.layer.writeIni("sizeWidth", 9000);
    s.layer.writeIniTo(options, "general", "printInColor", "True");
    s.layer.writeIni("language", "svenska.txt");
    s.layer.writeIni("maximised", false);

    s.layer.setReadFile(general);
    s.layer.setReadSection("General");
    EXPECT_EQ(s.layer.readIni("SIZELEFT", "0"), "10.5");
    EXPECT_EQ(s.layer.readIniFrom(options, "general", "printInColor", "False"), "True");
    EXPECT_EQ(s.layer.readFile(), general);
    EXPECT_EQ(s.layer.readSection(), "General");
    EXPECT_EQ(s.layer.readIni("language", ""), "svenska.txt");
    EXPECT_EQ(s.layer.readIni("maximised", ""), "False");
    EXPECT_EQ(s.layer.readIni("missing", "default"), "default");
    EXPECT_TRUE(s.questions.empty());
    EXPECT_EQ(readBytes(general),
              "[general]\r\nsizeLeft=10.5\r\nsizeWidth=9000\r\nlanguage=svenska.txt\r\n"
              "maximised=False\r\n");
}

TEST(IniLayer, TheMarkerAsResultAsksAndNoEndsTheProgram) {
    test::TempDir dir;
    const auto file = dir.path() / "english.txt";
    writeBytes(file, "[krn]\r\nmOpen=&Open\r\n");
    ScriptedLayer s;
    s.layer.setReadFile(file);
    s.layer.setReadSection("krn");

    EXPECT_EQ(s.layer.readIni("mOpen", kIniErrorMarker), "&Open");
    EXPECT_TRUE(s.questions.empty());

    EXPECT_EQ(s.layer.readIni("mClose", kIniErrorMarker), kIniErrorMarker);  // Yes: go on
    ASSERT_EQ(s.questions.size(), 1u);
    EXPECT_EQ(s.questions[0], "error reading inifile\r\nfile: " + file.string() +
                                  "\r\nsection: krn\r\nvariable: mClose\r\n"
                                  "default value: error reading inifile\r\n\r\nContinue anyway?");

    s.answer = false;
    s.layer.setReadSection("option");
    EXPECT_THROW(s.layer.readIniFrom(file, "krn", "mClose", kIniErrorMarker), Aborted);
    EXPECT_EQ(s.layer.readSection(), "option");  // restored on the way out

    // An abort handler that returns must not let the program carry on with the marker.
    s.layer.setAbortHandler([] {});
    EXPECT_THROW(s.layer.readIni("mClose", kIniErrorMarker), Error);
}

TEST(IniLayer, SectionNamesListWholeNamesUpTo1000Characters) {
    test::TempDir dir;
    const auto file = dir.path() / "PPVZX.ini";
    std::string content = "[labels]\r\n";
    for (int i = 0; i < 120; ++i) {
        content += "[standard number " + std::to_string(i) + "]\r\n";  // 19..21 characters each
    }
    writeBytes(file, content);
    IniLayer layer;
    layer.setReadFile(file);
    std::string list = layer.iniSectionNames();
    EXPECT_LE(list.size(), 1000u);
    std::string name;
    std::vector<std::string> names;
    while (popSection(list, name)) {
        names.push_back(name);
    }
    ASSERT_GT(names.size(), 40u);
    EXPECT_EQ(names.front(), "labels");
    EXPECT_EQ(names.back(), "standard number " + std::to_string(names.size() - 2));
}

TEST(IniLayer, WritingAnUnchangedValueLeavesTheFileAlone) {
    test::TempDir dir;
    const auto file = dir.path() / "krnz.ini";
    int renames = 0;
    detail::setRenameStepForTesting(
        [&](const fs::path& from, const fs::path& to, std::error_code& error) {
            ++renames;
            fs::rename(from, to, error);
        });
    writeIniTo(file, "general", "workDir", "/data/events/");
    writeIniTo(file, "General", "WORKDIR", "/data/events/");
    writeIniTo(file, "general", "workDir", "/data/other/");
    detail::setRenameStepForTesting({});
    EXPECT_EQ(renames, 2);
    EXPECT_EQ(readIniFrom(file, "general", "workDir", ""), "/data/other/");
}

}  // namespace
}  // namespace krnz::settings
