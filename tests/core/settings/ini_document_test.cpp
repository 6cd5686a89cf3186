// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_document.h"

#include "core/common/error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace krnz::settings {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kHandEdited =
    "; settings of Anna's laptop\r\n"
    "\r\n"
    "[General]\r\n"
    "  sizeTop = 120\r\n"
    "customKey=kept\r\n"
    "sizeLeft=10\r\n"
    "\r\n"
    "; spectrum window\r\n"
    "[fft]\r\n"
    "fftwindow=2\r\n";

TEST(IniDocument, HandEditedFileKeepsCommentsOrderAndUnknownKeys) {
    IniDocument file = IniDocument::parse(kHandEdited);
    file.set("general", "SIZETOP", "300");     // existing key: spelling and spacing stay
    file.set("general", "sizeWidth", "9000");  // new key: after the section's last key
    file.set("fft", "fftwindow", "2");         // unchanged
    file.set("scale", "channelOn0", "True");   // new section at the end
    EXPECT_EQ(file.serialize(),
              "; settings of Anna's laptop\r\n"
              "\r\n"
              "[General]\r\n"
              "  sizeTop = 300\r\n"
              "customKey=kept\r\n"
              "sizeLeft=10\r\n"
              "sizeWidth=9000\r\n"
              "\r\n"
              "; spectrum window\r\n"
              "[fft]\r\n"
              "fftwindow=2\r\n"
              "\r\n"
              "[scale]\r\n"
              "channelOn0=True\r\n");
}

TEST(IniDocument, NamesMatchWithoutRegardToCaseAndTheFirstMatchCounts) {
    const IniDocument file = IniDocument::parse(
        "[general]\nsizeLeft=1\nsizeleft=2\n[GENERAL]\nsizeTop=3\n;sizeWidth=4\nx\n");
    EXPECT_EQ(file.get("General", "SIZELEFT", "d"), "1");
    EXPECT_EQ(file.get("general", "sizeTop", "d"), "d");    // only the first section counts
    EXPECT_EQ(file.get("general", "sizeWidth", "d"), "d");  // commented out
    EXPECT_EQ(file.get("general", "x", "d"), "d");          // a line without '='
    EXPECT_EQ(file.get("missing", "sizeLeft", "d"), "d");
    EXPECT_EQ(file.sectionNames(), (std::vector<std::string>{"general"}));
    EXPECT_EQ(file.keyNames("GENERAL"), (std::vector<std::string>{"sizeLeft"}));
}

TEST(IniDocument, ValuesRoundTripExactly) {
    const std::string values[] = {
        "plain",
        "",
        " leading",
        "trailing ",
        "\"quoted\"",
        "'single'",
        "a=b=c",
        "; not a comment",
        "[not a section]",
        "\xC2\xB5m \xE2\x82\xAC Malm\xC3\xB6",
        "\xCE\xA9 omega",
        "tab\tinside",
        "\"",
        "'open",
    };
    IniDocument file;
    for (std::size_t i = 0; i < std::size(values); ++i) {
        file.set("s", "k" + std::to_string(i), values[i]);
    }
    const IniDocument reread = IniDocument::parse(file.serialize());
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(reread.get("s", "k" + std::to_string(i), "?"), values[i]) << i;
    }
}

// Line ends of a file converted twice (CR CR LF) among plain LF ones: what a value reads must
// not change when another key is written.
TEST(IniDocument, StrayCarriageReturnsAreLineEndsAndSurviveARewrite) {
    IniDocument file = IniDocument::parse("[general]\nclient=V\r\r\nnotes=rock\r\nlast=x\n");
    EXPECT_EQ(file.get("general", "client", "?"), "V");
    EXPECT_EQ(file.get("general", "notes", "?"), "rock");
    file.set("general", "pictureDir", "/tmp");
    const IniDocument reread = IniDocument::parse(file.serialize());
    for (const char* key : {"client", "notes", "last"})
        EXPECT_EQ(reread.get("general", key, "?"), file.get("general", key, "!")) << key;
}

TEST(IniDocument, ValuesCannotAddLinesAndBadNamesAreRefused) {
    IniDocument file;
    file.set("notes", "text", "line 1\r\nline 2\n[evil]\rend\0hidden"sv);
    EXPECT_EQ(file.sectionNames(), (std::vector<std::string>{"notes"}));
    EXPECT_EQ(IniDocument::parse(file.serialize()).get("notes", "text", ""),
              "line 1 line 2 [evil] end");
    const std::pair<const char*, const char*> badNames[] = {
        {"a]b", "k"}, {"s", "k=v"}, {"s", ""}, {"", "k"}, {"s", " k"}, {"s", ";k"}, {"s", "k\nx"}};
    for (const auto& [section, key] : badNames) {
        EXPECT_THROW(file.set(section, key, "v"), Error) << section << " / " << key;
    }
}

TEST(IniDocument, ValuesAreCutAt999Characters) {
    const std::string exact(999, 'x');
    const std::string longer = std::string(999, 'y') + "z";
    std::string wide;
    for (int i = 0; i < 1000; ++i) {
        wide += "\xC3\xB6";  // two bytes, one character
    }
    IniDocument file;
    file.set("s", "exact", exact);
    file.set("s", "longer", longer);
    file.set("s", "wide", wide);
    const IniDocument reread = IniDocument::parse(file.serialize());
    EXPECT_EQ(reread.get("s", "exact", ""), exact);
    EXPECT_EQ(reread.get("s", "longer", ""), std::string(999, 'y'));
    EXPECT_EQ(reread.get("s", "wide", ""), wide.substr(0, 999 * 2));
    EXPECT_EQ(reread.get("s", "missing", longer), std::string(999, 'y'));  // defaults too
}

struct EncodingCase {
    const char* name;
    std::string fileBytes;       // as found on disk
    std::string expectedValue;   // UTF-8 in memory
    std::string bytesAfterEdit;  // after setting key "new" to "\u00F6" (ö)
};

class IniDocumentEncoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(IniDocumentEncoding, ReadsAndKeepsTheFileForm) {
    const EncodingCase& c = GetParam();
    IniDocument file = IniDocument::parse(c.fileBytes);
    EXPECT_EQ(file.get("s", "unit", "?"), c.expectedValue);
    file.set("s", "new", "\xC3\xB6");
    EXPECT_EQ(file.serialize(), c.bytesAfterEdit);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniDocumentEncoding,
    testing::Values(
        EncodingCase{"WindowsCrLfAnsi", "[s]\r\nunit=\xB5m\r\n", "\xC2\xB5m",
                     "[s]\r\nunit=\xB5m\r\nnew=\xF6\r\n"},
        EncodingCase{"UnixUtf8", "[s]\nunit=\xC2\xB5m\n", "\xC2\xB5m",
                     "[s]\nunit=\xC2\xB5m\nnew=\xC3\xB6\n"},
        EncodingCase{"Utf8WithBom", "\xEF\xBB\xBF[s]\r\nunit=\xC2\xB5m\r\n", "\xC2\xB5m",
                     "\xEF\xBB\xBF[s]\r\nunit=\xC2\xB5m\r\nnew=\xC3\xB6\r\n"},
        // Plain ASCII says nothing about the encoding: Windows-1252 while every character fits.
        EncodingCase{"AsciiLf", "[s]\nunit=mm/s", "mm/s", "[s]\nunit=mm/s\nnew=\xF6\n"},
        EncodingCase{"NewFile", "", "?", "[s]\r\nnew=\xF6\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniDocument, AnAnsiFileGetsUtf8RatherThanLosingACharacter) {
    IniDocument file = IniDocument::parse("[s]\r\nunit=\xB5m\r\n");
    file.set("s", "name", "\xCE\xA9");  // Ω has no Windows-1252 form
    const std::string bytes = file.serialize();
    EXPECT_EQ(bytes, "[s]\r\nunit=\xC2\xB5m\r\nname=\xCE\xA9\r\n");
    EXPECT_EQ(IniDocument::parse(bytes).get("s", "unit", ""), "\xC2\xB5m");
}

TEST(IniDocument, AnsiTextThatWouldReadAsUtf8IsWrittenAsUtf8) {
    // "Ã©" in Windows-1252 is the byte pair C3 A9, which a reader takes for UTF-8 "é".
    IniDocument file;
    file.set("s", "k", "\xC3\x83\xC2\xA9");
    EXPECT_EQ(IniDocument::parse(file.serialize()).get("s", "k", ""), "\xC3\x83\xC2\xA9");
}

TEST(IniDocument, WriteAnsiOnlyKeepsWindows1252WhateverTheText) {
    // A UTF-8 file, a character without a Windows-1252 form, and Windows-1252 bytes that
    // would read as UTF-8: each of them turns the file into UTF-8 unless told otherwise.
    IniDocument file = IniDocument::parse("[s]\r\nunit=\xC2\xB5m\r\n");
    file.writeAnsiOnly();
    file.set("s", "name", "\xCE\xA9 \xC3\xB6");  // "Ω ö"
    file.set("s", "k", "\xC3\x83\xC2\xA9");      // "Ã©"
    EXPECT_EQ(file.serialize(), "[s]\r\nunit=\xB5m\r\nname=? \xF6\r\nk=\xC3\xA9\r\n");
}

TEST(IniDocument, AnUnreadableFileIsNeverReplaced) {
    test::TempDir dir;
    const auto path = dir.path() / "option.ini";
    std::filesystem::create_directory(path);  // exists, but cannot be read as a file
    IniDocument file = IniDocument::load(path);
    EXPECT_EQ(file.get("general", "tab", "1"), "1");
    file.set("general", "tab", "2");
    EXPECT_THROW(file.save(), Error);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

}  // namespace
}  // namespace krnz::settings
