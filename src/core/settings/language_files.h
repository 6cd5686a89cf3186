// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/ini_layer.h"
#include "core/settings/text_lookup.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace krnz::settings {

// The language files: one settings-form file per language in the language folders, one section
// per window, "english.txt" the reference that every lookup falls back to.
//
// Lookups read the files through an IniLayer, so a key missing from english.txt asks that
// layer's "error reading inifile" question, whatever the current language.
class LanguageFiles : public TextLookup {
  public:
    using MessageHandler = std::function<void(const std::string& message)>;

    // `languageDirs` in order of precedence (the user's copies first). Starts in English.
    explicit LanguageFiles(std::vector<std::filesystem::path> languageDirs,
                           IniLayer& layer = defaultIniLayer());

    // Shows the non-fatal "not found" message; the default prints it to stderr.
    void setMessageHandler(MessageHandler handler) { m_message = std::move(handler); }

    // At start: makes the stored language current when a file of that name exists (letter case
    // aside), else shows "Language <name> not found." and continues in English. Throws
    // krnz::Error with the reinstall message when english.txt itself is missing, which ends the
    // program; the reference file is required whatever language is chosen.
    void checkLanguageFile(std::string_view storedLanguage);

    // Switches to another language file; false (nothing changes) when there is no such file.
    bool setLanguage(std::string_view fileName);

    // The language files (*.txt) of all folders, each name once, sorted without regard to case.
    std::vector<std::string> languageList() const;

    // What a language calls itself ("Svenska"): the key [krn] languageName of its own file,
    // never the English text, so a file without the key is named by its file name.
    std::string languageName(std::string_view fileName) const;

    const std::string& languageFile() const { return m_languageFile; }
    const std::filesystem::path& languagePath() const { return m_languagePath; }
    const std::filesystem::path& englishPath() const { return m_englishPath; }

    // The text of `key` in `file` and `section`, else the English text; callers pass
    // languagePath().
    std::string langTextFile(const std::filesystem::path& file, std::string_view section,
                             std::string_view key) const;
    // A text of the current language (TextLookup).
    std::string text(std::string_view section, std::string_view key) const override;

  private:
    std::filesystem::path findLanguage(std::string_view fileName) const;

    std::vector<std::filesystem::path> m_dirs;
    IniLayer* m_layer;
    MessageHandler m_message;
    std::string m_languageFile;
    std::filesystem::path m_languagePath;
    std::filesystem::path m_englishPath;
};

}  // namespace krnz::settings
