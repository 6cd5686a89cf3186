// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/language_files.h"

#include "core/common/error.h"
#include "core/settings/ini_text.h"

#include <algorithm>
#include <iostream>

namespace krnz::settings {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kEnglish = "english.txt";

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

LanguageFiles::LanguageFiles(std::vector<fs::path> languageDirs, IniLayer& layer)
    : m_dirs(std::move(languageDirs)),
      m_layer(&layer),
      m_message([](const std::string& message) { std::cerr << message << '\n'; }),
      m_languageFile(kEnglish) {
    m_englishPath = findLanguage(kEnglish);
    if (m_englishPath.empty() && !m_dirs.empty()) {
        m_englishPath = m_dirs.front() / kEnglish;
    }
    m_languagePath = m_englishPath;
}

fs::path LanguageFiles::findLanguage(std::string_view fileName) const {
    if (!isPlainFileName(fileName)) {
        return {};
    }
    for (const auto& dir : m_dirs) {
        // The exact name first, so that of two names differing in case the stored one wins.
        if (isFile(dir / fileName)) {
            return dir / fileName;
        }
        std::vector<fs::path> matches;
        std::error_code error;
        for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
            if (sameText(it->path().filename().string(), fileName) && isFile(it->path())) {
                matches.push_back(it->path());
            }
        }
        if (!matches.empty()) {
            return *std::min_element(matches.begin(), matches.end());
        }
    }
    return {};
}

void LanguageFiles::checkLanguageFile(std::string_view storedLanguage) {
    const fs::path english = findLanguage(kEnglish);
    if (english.empty()) {
        throw Error(kErrFileNotFound,
                    "The default language English is not found.\r\n"
                    "This should never happen, please reinstall this software."
                    "Program will now self terminate");
    }
    m_englishPath = english;
    fs::path found = findLanguage(storedLanguage);
    if (found.empty()) {
        if (m_message) {
            m_message("Language " + std::string(storedLanguage) +
                      " not found.\r\nDefaulting to English.");
        }
        found = english;
    }
    m_languageFile = found.filename().string();
    m_languagePath = found;
}

bool LanguageFiles::setLanguage(std::string_view fileName) {
    const fs::path found = findLanguage(fileName);
    if (found.empty()) {
        return false;
    }
    m_languageFile = found.filename().string();
    m_languagePath = found;
    return true;
}

std::vector<std::string> LanguageFiles::languageList() const {
    std::vector<std::string> names;
    for (const auto& dir : m_dirs) {
        std::error_code error;
        for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
            const std::string name = it->path().filename().string();
            const bool isText = sameText(it->path().extension().string(), ".txt");
            const bool known = std::any_of(names.begin(), names.end(), [&](const auto& other) {
                return sameText(other, name);
            });
            if (isText && !known && isFile(it->path())) {
                names.push_back(name);
            }
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return upperText(a) < upperText(b);
    });
    return names;
}

std::string LanguageFiles::languageName(std::string_view fileName) const {
    const fs::path file = findLanguage(fileName);
    const std::string name =
        file.empty() ? std::string() : m_layer->readIniFrom(file, "krn", "languageName", "");
    return name.empty() ? std::string(fileName) : name;
}

std::string LanguageFiles::langTextFile(const fs::path& file, std::string_view section,
                                        std::string_view key) const {
    const std::string english = m_layer->readIniFrom(m_englishPath, section, key, kIniErrorMarker);
    return m_layer->readIniFrom(file, section, key, english);
}

std::string LanguageFiles::text(std::string_view section, std::string_view key) const {
    return langTextFile(m_languagePath, section, key);
}

}  // namespace krnz::settings
