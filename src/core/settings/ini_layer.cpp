// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_layer.h"

#include "core/common/error.h"
#include "core/settings/ini_document.h"
#include "core/settings/ini_text.h"

#include <cstdlib>
#include <iostream>

namespace krnz::settings {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSectionListChars = 1000;

}  // namespace

IniLayer::IniLayer()
    : m_question([](const std::string& message) {
          std::cerr << message << '\n';
          return true;
      }),
      m_abort([] { std::exit(EXIT_FAILURE); }) {}

std::string IniLayer::readIni(std::string_view key, std::string_view defaultValue) const {
    return readAt(m_readFile, m_readSection, key, defaultValue);
}

std::string IniLayer::readIniFrom(const fs::path& file, std::string_view section,
                                  std::string_view key, std::string_view defaultValue) const {
    return readAt(file, section, key, defaultValue);
}

std::string IniLayer::readAt(const fs::path& file, std::string_view section, std::string_view key,
                             std::string_view defaultValue) const {
    std::string result = IniDocument::load(file).get(section, key, defaultValue);
    if (sameText(result, kIniErrorMarker)) {
        const std::string message =
            std::string(kIniErrorMarker) + "\r\nfile: " + file.string() +
            "\r\nsection: " + std::string(section) + "\r\nvariable: " + std::string(key) +
            "\r\ndefault value: " + std::string(defaultValue) + "\r\n\r\nContinue anyway?";
        if (m_question && !m_question(message)) {
            if (m_abort) {
                m_abort();
            }
            // An abort handler that returns must still not let the program go on.
            throw Error(kErrProgram, message);
        }
    }
    return result;
}

void IniLayer::writeIniText(std::string_view key, std::string_view text) {
    writeIniTo(m_writeFile, m_writeSection, key, text);
}

void IniLayer::writeIniTo(const fs::path& file, std::string_view section, std::string_view key,
                          std::string_view value) {
    // Writing touches no layer state, so nothing needs saving around it.
    IniDocument document = IniDocument::load(file);
    document.set(section, key, value);
    if (document.modified()) {
        document.save();
    }
}

std::string IniLayer::iniSectionNames() const {
    std::string list;
    for (const auto& name : IniDocument::load(m_readFile).sectionNames()) {
        if (list.size() + name.size() + 1 > kSectionListChars) {
            break;
        }
        list += name;
        list += '\0';
    }
    return list;
}

IniLayer& defaultIniLayer() {
    static IniLayer layer;
    return layer;
}

void setReadFile(fs::path file) {
    defaultIniLayer().setReadFile(std::move(file));
}
void setReadSection(std::string section) {
    defaultIniLayer().setReadSection(std::move(section));
}
void setWriteFile(fs::path file) {
    defaultIniLayer().setWriteFile(std::move(file));
}
void setWriteSection(std::string section) {
    defaultIniLayer().setWriteSection(std::move(section));
}
std::string readIni(std::string_view key, std::string_view defaultValue) {
    return defaultIniLayer().readIni(key, defaultValue);
}
std::string iniSectionNames() {
    return defaultIniLayer().iniSectionNames();
}

std::string readIniFrom(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view defaultValue) {
    return defaultIniLayer().readIniFrom(file, section, key, defaultValue);
}

void writeIniTo(const fs::path& file, std::string_view section, std::string_view key,
                std::string_view value) {
    defaultIniLayer().writeIniTo(file, section, key, value);
}

}  // namespace krnz::settings
