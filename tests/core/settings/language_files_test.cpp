// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/language_files.h"

#include "core/common/error.h"
#include "core/settings/file_bytes.h"
#include "core/settings/general_settings.h"
#include "core/settings/ini_document.h"
#include "core/settings/language_keys.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace krnz::settings {
namespace {

namespace fs = std::filesystem;
using test::writeBytes;

const fs::path kShippedLanguages = fs::path(KRNZ_SOURCE_DIR) / "data" / "language";

struct Aborted {};

// Language files in a temporary folder, read through a layer that records its questions.
struct LanguageFixture : testing::Test {
    test::TempDir dir;
    fs::path folder = dir.path() / "language";
    IniLayer layer;
    std::vector<std::string> questions;
    std::vector<std::string> messages;

    LanguageFixture() {
        fs::create_directory(folder);
        writeBytes(folder / "english.txt",
                   "[krn]\r\nmOpen=&Open\r\nmExit=E&xit\r\n[option]\r\nok=OK\r\n");
        writeBytes(folder / "svenska.txt", "[krn]\r\nmExit=A&vsluta\r\n");
        layer.setQuestionHandler([this](const std::string& message) {
            questions.push_back(message);
            return true;
        });
        layer.setAbortHandler([] { throw Aborted{}; });
    }

    LanguageFiles languages() {
        LanguageFiles files({folder}, layer);
        files.setMessageHandler([this](const std::string& m) { messages.push_back(m); });
        return files;
    }
};

TEST(ShippedLanguages, EveryKeyTheProgramUsesIsInEveryLanguage) {
    for (const auto& entry : fs::directory_iterator(kShippedLanguages)) {
        const IniDocument file = IniDocument::load(entry.path());
        for (const auto& [section, key] : languageKeys()) {
            const auto text = file.find(section, key);
            EXPECT_TRUE(text && !text->empty())
                << entry.path().filename() << ": [" << section << "] " << key;
        }
    }
    EXPECT_TRUE(fs::exists(kShippedLanguages / "english.txt"));
    EXPECT_GE(std::distance(fs::directory_iterator(kShippedLanguages), fs::directory_iterator()),
              2);
}

TEST(ShippedLanguages, EnglishFileMatchesTheBuiltInPanelTexts) {
    LanguageFiles files({kShippedLanguages});
    files.checkLanguageFile("english.txt");
    for (const char* key :
         {"instrumentSN", "eventNumber", "DateTime", "regLength", "vectorMax", "timeScale",
          "channel", "input", "unit", "trigLevel", "peak", "dB", "diff", "integ", "frq"}) {
        EXPECT_EQ(files.text("krn", key), builtinEnglish().text("krn", key)) << key;
    }
    // The verdict's JSON keeps the English method sentence with or without language files.
    for (const char* key : {"method", "logLog", "linLin", "logLin", "linLog"})
        EXPECT_EQ(files.text("verdict", key), builtinEnglish().text("verdict", key)) << key;
    ASSERT_TRUE(files.setLanguage("svenska.txt"));
    EXPECT_EQ(files.text("krn", "mOpen"), "&\xC3\x96ppna");
}

TEST_F(LanguageFixture, AKeyMissingFromTheLanguageSilentlyFallsBackToEnglish) {
    LanguageFiles files = languages();
    files.checkLanguageFile("svenska.txt");
    EXPECT_EQ(files.text("krn", "mExit"), "A&vsluta");
    EXPECT_EQ(files.text("krn", "mOpen"), "&Open");
    EXPECT_EQ(files.text("option", "ok"), "OK");
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(LanguageFixture, AKeyMissingFromEnglishAsksWhateverTheLanguage) {
    LanguageFiles files = languages();
    files.checkLanguageFile("svenska.txt");
    writeBytes(folder / "svenska.txt", "[krn]\r\nmAbout=&Om\r\n");
    EXPECT_EQ(files.text("krn", "mAbout"), "&Om");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("variable: mAbout"), std::string::npos);
    EXPECT_NE(questions[0].find("file: " + (folder / "english.txt").string()), std::string::npos);
}

TEST_F(LanguageFixture, AStoredNameDifferingInCaseIsAccepted) {
    LanguageFiles files = languages();
    files.checkLanguageFile("SVENSKA.TXT");
    EXPECT_EQ(files.languageFile(), "svenska.txt");
    EXPECT_EQ(files.languagePath(), folder / "svenska.txt");
    EXPECT_TRUE(messages.empty());
}

TEST_F(LanguageFixture, AMissingLanguageFallsBackToEnglishWithOneMessage) {
    // The language chosen last time was deleted before this start.
    const fs::path general = dir.path() / "krnz.ini";
    GeneralSettings settings;
    settings.language = "deutsch.txt";
    writeGeneralSettings(general, settings);

    settings = readGeneralSettings(general, dir.path());
    LanguageFiles files = languages();
    files.checkLanguageFile(settings.language);
    EXPECT_EQ(
        messages,
        (std::vector<std::string>{"Language deutsch.txt not found.\r\nDefaulting to English."}));
    EXPECT_EQ(files.text("krn", "mExit"), "E&xit");

    settings.language = files.languageFile();  // stored at close
    writeGeneralSettings(general, settings);
    EXPECT_EQ(readGeneralSettings(general, dir.path()).language, "english.txt");

    // A stored name is a file name in the folder, never a path out of it.
    files.checkLanguageFile("../language/svenska.txt");
    EXPECT_EQ(files.languageFile(), "english.txt");
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(LanguageFixture, WithoutEnglishTheProgramCannotStart) {
    fs::remove(folder / "english.txt");
    LanguageFiles files = languages();
    try {
        files.checkLanguageFile("svenska.txt");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(),
                  "The default language English is not found.\r\n"
                  "This should never happen, please reinstall this software."
                  "Program will now self terminate");
    }
}

// A folder gone or replaced by a file ends in the same clear message as a missing English
// file, never in a crash on the first lookup.
TEST_F(LanguageFixture, AMissingOrUnreadableFolderIsTheMissingEnglishMessage) {
    for (const bool replaceByFile : {false, true}) {
        fs::remove_all(folder);
        if (replaceByFile) writeBytes(folder, "not a folder");
        LanguageFiles files = languages();
        try {
            files.checkLanguageFile("english.txt");
            FAIL() << "no error";
        } catch (const Error& error) {
            EXPECT_NE(error.text().find("The default language English is not found."),
                      std::string::npos);
        }
        EXPECT_TRUE(files.languageList().empty());
    }
}

TEST_F(LanguageFixture, LanguageFilesMayBeWindows1252) {
    writeBytes(folder / "deutsch.txt",
               "[krn]\r\nmExit=&Schlie\xDF"
               "en\r\n");
    LanguageFiles files = languages();
    ASSERT_TRUE(files.setLanguage("Deutsch.txt"));
    EXPECT_EQ(files.text("krn", "mExit"),
              "&Schlie\xC3\x9F"
              "en");
    EXPECT_FALSE(files.setLanguage("francais.txt"));
    EXPECT_EQ(files.languageFile(), "deutsch.txt");
}

TEST_F(LanguageFixture, TheListShowsEachLanguageOnceAndTheUsersCopyWins) {
    const fs::path userFolder = dir.path() / "user-language";
    fs::create_directory(userFolder);
    writeBytes(userFolder / "English.TXT", "[krn]\r\nmOpen=&Open it\r\n");
    writeBytes(folder / "readme.md", "not a language");
    fs::create_directory(folder / "old.txt");
    LanguageFiles files({userFolder, folder}, layer);
    EXPECT_EQ(files.languageList(), (std::vector<std::string>{"English.TXT", "svenska.txt"}));
    files.checkLanguageFile("english.txt");
    EXPECT_EQ(files.englishPath(), userFolder / "English.TXT");
    EXPECT_EQ(files.text("krn", "mOpen"), "&Open it");
}

}  // namespace
}  // namespace krnz::settings
