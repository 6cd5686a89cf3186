// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chain_test_support.h"
#include "core/analysis/macro_file.h"
#include "core/analysis/macro_list.h"
#include "core/common/error.h"
#include "core/settings/atomic_file.h"
#include "core/settings/ini_document.h"
#include "support/param_name.h"
#include "support/temp_dir.h"

namespace krnz::analysis {
namespace {

using test::encoded;
using test::KeyTexts;
using test::RecordingReporter;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

void writeText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class MacroTest : public testing::Test {
  protected:
    test::TempDir dir;
    KeyTexts texts;
    RecordingReporter reporter;
    OperatorChain chain{texts, reporter};
};

TEST_F(MacroTest, RoundTripKeepsListsAndGroupNumbers) {
    chain.addOperator(0);
    chain.addFilter(2, 80);
    chain.setCurrentRow(2);
    chain.addFilter(3, 2);
    chain.addResultant({{true, false, true, false}, 4});
    ASSERT_TRUE(saveMacro(chain, dir.path(), "my macro"));

    const settings::IniDocument doc = settings::IniDocument::load(dir.path() / "my macro");
    EXPECT_EQ(doc.get("main", "version", ""), "1");
    EXPECT_EQ(doc.get("op", "0", "?"), "0,2 80,6 s 0,");
    EXPECT_EQ(doc.get("op", "1", "?"), "");
    EXPECT_EQ(doc.get("op", "3", "?"), "6 d 0,");

    OperatorChain loaded(texts, reporter);
    ASSERT_TRUE(loadMacro(loaded, dir.path(), "my macro", texts, reporter));
    for (int r = 0; r < kSlots; ++r) EXPECT_EQ(loaded.opInt(r), chain.opInt(r)) << r;
    EXPECT_EQ(loaded.opGrid(0),
              (Strings{"<toolbox.integrate>", "<toolbox.lowPass> 80", "<toolbox.resultant> s 0"}));
    EXPECT_EQ(loaded.resultantCounter(), 1);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MacroTest, AllRowsEmptyWritesVersionAndFourEmptyKeys) {
    ASSERT_TRUE(saveMacro(chain, dir.path(), "empty"));
    const settings::IniDocument doc = settings::IniDocument::load(dir.path() / "empty");
    EXPECT_EQ(doc.get("main", "version", ""), "1");
    EXPECT_EQ(doc.keyNames("op"), (Strings{"0", "1", "2", "3"}));
    for (const char* key : {"0", "1", "2", "3"}) EXPECT_EQ(doc.get("op", key, "?"), "");
}

TEST_F(MacroTest, SavingOverExistingFileReplacesItsKeysAndKeepsOthers) {
    writeText(
        dir.path() / "m",
        "; my notes\r\n[main]\r\nversion=1\r\n[op]\r\n0=1,\r\n1=4,\r\n[extra]\r\nkeep=yes\r\n");
    chain.addOperator(5);
    ASSERT_TRUE(saveMacro(chain, dir.path(), "m"));
    const std::string text = readText(dir.path() / "m");
    EXPECT_NE(text.find("; my notes"), std::string::npos);
    EXPECT_NE(text.find("keep=yes"), std::string::npos);
    const settings::IniDocument doc = settings::IniDocument::load(dir.path() / "m");
    EXPECT_EQ(doc.get("op", "0", "?"), "5,");
    EXPECT_EQ(doc.get("op", "1", "?"), "");
}

TEST_F(MacroTest, AReplacedMacroIsWrittenAnewAndAFailedWriteKeepsTheOld) {
    const std::string old =
        "; the old chain\r\n[main]\r\nversion=1\r\n[op]\r\n0=1,\r\n[extra]\r\nkeep=yes\r\n";
    writeText(dir.path() / "m", old);
    chain.addOperator(5);
    settings::detail::setFailingStepForTesting(settings::detail::FailingStep::Write, ENOSPC);
    EXPECT_THROW(saveMacro(chain, dir.path(), "m", MacroWrite::Anew), Error);
    settings::detail::setFailingStepForTesting(std::nullopt, 0);
    EXPECT_EQ(readText(dir.path() / "m"), old);

    ASSERT_TRUE(saveMacro(chain, dir.path(), "m", MacroWrite::Anew));
    const std::string text = readText(dir.path() / "m");
    EXPECT_EQ(text.find("; the old chain"), std::string::npos);
    EXPECT_EQ(text.find("keep=yes"), std::string::npos);
    EXPECT_EQ(settings::IniDocument::load(dir.path() / "m").get("op", "0", "?"), "5,");
}

struct RowValueCase {
    const char* value;
    Strings entries;
};

class MacroRowValue : public MacroTest, public testing::WithParamInterface<RowValueCase> {};

TEST_P(MacroRowValue, ReadsElementsUpToFirstEmptyOne) {
    writeText(dir.path() / "m",
              std::string("[main]\nversion=1\n[op]\n2=") + GetParam().value + "\n");
    ASSERT_TRUE(loadMacro(chain, dir.path(), "m", texts, reporter));
    EXPECT_EQ(encoded(chain.opInt(2)), GetParam().entries);
    EXPECT_EQ(chain.opGrid(2).size(), GetParam().entries.size());
    EXPECT_TRUE(chain.opInt(0).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MacroRowValue,
    testing::Values(RowValueCase{"0,2 80,", {"0", "2 80"}},
                    RowValueCase{"0,2 80", {"0", "2 80"}},  // no final comma: last element ends it
                    RowValueCase{"0,,2 80,", {"0"}},        // empty element: stops there
                    RowValueCase{",0,", {}}, RowValueCase{"", {}},
                    RowValueCase{"9 1,4,", {"9 1", "4"}}),
    [](const auto& info) {
        return test::numberedName(info.index, info.param.value);
    });  // unknown operator still loads

class MacroVersion : public MacroTest, public testing::WithParamInterface<const char*> {};

TEST_P(MacroVersion, OtherThanOneIsRefusedAndListsStayEmpty) {
    writeText(dir.path() / "m", std::string("[main]\n") + GetParam() + "\n[op]\n0=0,\n");
    chain.addOperator(4);
    EXPECT_FALSE(loadMacro(chain, dir.path(), "m", texts, reporter));
    ASSERT_EQ(reporter.messages, (Strings{"<toolbox.versionError>"}));
    for (int r = 0; r < kSlots; ++r) EXPECT_TRUE(chain.opInt(r).empty());
}

INSTANTIATE_TEST_SUITE_P(Table, MacroVersion,
                         testing::Values("version=2", "version=0", "version=", "", "version=one"),
                         test::PrintedName());

TEST_F(MacroTest, VersionReadsAsNumber) {
    writeText(dir.path() / "m", "[main]\nversion = 1.0\n[op]\n0=7,\n");
    EXPECT_TRUE(loadMacro(chain, dir.path(), "m", texts, reporter));
    EXPECT_EQ(encoded(chain.opInt(0)), (Strings{"7"}));
}

TEST_F(MacroTest, MissingFileIsVersionError) {
    EXPECT_FALSE(loadMacro(chain, dir.path(), "nothing", texts, reporter));
    EXPECT_EQ(reporter.messages, (Strings{"<toolbox.versionError>"}));
}

class BadMacroName : public MacroTest, public testing::WithParamInterface<std::string> {};

TEST_P(BadMacroName, IsRefusedAndNothingIsWritten) {
    const std::string name = GetParam();
    EXPECT_FALSE(isValidMacroName(name));
    EXPECT_THROW(saveMacro(chain, dir.path() / "macro", name), Error);
    EXPECT_THROW(loadMacro(chain, dir.path() / "macro", name, texts, reporter), Error);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

INSTANTIATE_TEST_SUITE_P(Table, BadMacroName,
                         testing::Values("../evil", "..", "a/b", "a\\b", "/etc/x", "x..y", ".",
                                         std::string("a\0b", 3)),
                         test::NumberedName());

TEST_F(MacroTest, EmptyNameSavesNothing) {
    EXPECT_FALSE(saveMacro(chain, dir.path(), ""));
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(MacroTest, RowTooLongToReadBackIsRefused) {
    for (int i = 0; i < 400; ++i) chain.addFilter(2, 100);  // 400 x "2 100," = 2400 characters
    EXPECT_THROW(saveMacro(chain, dir.path(), "long"), Error);
    EXPECT_FALSE(fs::exists(dir.path() / "long"));
}

TEST_F(MacroTest, ListMacrosSortedPlainFilesOnly) {
    for (const char* name : {"b", "a macro", "C", ".b.tmp-1234"}) writeText(dir.path() / name, "");
    fs::create_directory(dir.path() / "folder");
    EXPECT_EQ(listMacros(dir.path()), (Strings{"C", "a macro", "b"}));
    EXPECT_TRUE(listMacros(dir.path() / "missing").empty());
}

TEST_F(MacroTest, ShippedExamplesLoad) {
    const fs::path shipped = fs::path(KRNZ_SOURCE_DIR) / "data" / "macro";
    const Strings names = listMacros(shipped);
    EXPECT_GE(names.size(), 4u);
    for (const std::string& name : names) {
        OperatorChain example(texts, reporter);
        EXPECT_TRUE(loadMacro(example, shipped, name, texts, reporter)) << name;
        std::size_t entries = 0;
        for (int r = 0; r < kSlots; ++r) entries += example.opInt(r).size();
        EXPECT_GT(entries, 0u) << name;
    }
    EXPECT_TRUE(reporter.messages.empty());
}

// Loading a macro parses each entry; saving it again must not change a byte of the file, however
// it spelled its entries.
class MacroResave : public MacroTest, public testing::WithParamInterface<std::string> {};

TEST_P(MacroResave, WritesTheFileByteForByte) {
    const std::string original = GetParam();
    writeText(dir.path() / "m", original);
    ASSERT_TRUE(loadMacro(chain, dir.path(), "m", texts, reporter));
    ASSERT_TRUE(saveMacro(chain, dir.path(), "m"));
    EXPECT_EQ(readText(dir.path() / "m"), original);
    EXPECT_TRUE(reporter.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MacroResave,
    testing::Values(
        "[main]\r\nversion=1\r\n[op]\r\n0=0,2 80,6 s 0,\r\n1=\r\n2=3 2,\r\n3=6 d 0,\r\n",
        // Lenient spellings, unknown and malformed entries: all kept as written.
        "[main]\r\nversion=1\r\n[op]\r\n0=2 80.50,6.0 s 03,3,\r\n1=9 1,0 x,6 d 03,6 x 2,\r\n"
        "2=2.5 80,\r\n3=6 s 3,\r\n"));

TEST_F(MacroTest, ShippedExamplesResaveByteForByte) {
    const fs::path shipped = fs::path(KRNZ_SOURCE_DIR) / "data" / "macro";
    for (const std::string& name : listMacros(shipped)) {
        fs::copy_file(shipped / name, dir.path() / name);
        OperatorChain example(texts, reporter);
        ASSERT_TRUE(loadMacro(example, dir.path(), name, texts, reporter)) << name;
        ASSERT_TRUE(saveMacro(example, dir.path(), name)) << name;
        EXPECT_EQ(readText(dir.path() / name), readText(shipped / name)) << name;
    }
}

// The list of macro names.

TEST(MacroList, SavedNameGoesAfterSelectionAndIsSelected) {
    MacroList list;
    list.fill({"a", "b", "c"});
    EXPECT_EQ(list.selected(), -1);
    list.insertSaved("new");
    EXPECT_EQ(list.names(), (Strings{"new", "a", "b", "c"}));
    EXPECT_EQ(list.selectedName(), "new");
    list.select(2);
    list.insertSaved("x");
    EXPECT_EQ(list.names(), (Strings{"new", "a", "b", "x", "c"}));
    EXPECT_EQ(list.selected(), 3);
}

TEST(MacroList, OverwrittenNameIsSelectedNotListedTwice) {
    MacroList list;
    list.fill({"a", "b", "c"});
    list.select(0);
    list.insertSaved("c");
    EXPECT_EQ(list.names(), (Strings{"a", "b", "c"}));
    EXPECT_EQ(list.selected(), 2);
    list.select(-1);
    EXPECT_FALSE(list.selectedName());
    EXPECT_THROW(list.select(3), Error);
}

}  // namespace
}  // namespace krnz::analysis
