// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_layer.h"

#include "core/common/error.h"
#include "core/settings/file_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <vector>

namespace krnz::settings {
namespace {

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

TEST(IniLayer, TheMarkerAsResultAsksAndNoEndsTheProgram) {
    test::TempDir dir;
    const auto file = dir.path() / "english.txt";
    writeBytes(file, "[krn]\r\nmOpen=&Open\r\n");
    ScriptedLayer s;

    EXPECT_EQ(s.layer.readIniFrom(file, "krn", "mOpen", kIniErrorMarker), "&Open");
    EXPECT_TRUE(s.questions.empty());

    // Yes: go on with the marker.
    EXPECT_EQ(s.layer.readIniFrom(file, "krn", "mClose", kIniErrorMarker), kIniErrorMarker);
    ASSERT_EQ(s.questions.size(), 1u);
    EXPECT_EQ(s.questions[0], "error reading inifile\r\nfile: " + file.string() +
                                  "\r\nsection: krn\r\nvariable: mClose\r\n"
                                  "default value: error reading inifile\r\n\r\nContinue anyway?");

    s.answer = false;
    EXPECT_THROW(s.layer.readIniFrom(file, "krn", "mClose", kIniErrorMarker), Aborted);

    // An abort handler that returns must not let the program carry on with the marker.
    s.layer.setAbortHandler([] {});
    EXPECT_THROW(s.layer.readIniFrom(file, "krn", "mClose", kIniErrorMarker), Error);
}

}  // namespace
}  // namespace krnz::settings
