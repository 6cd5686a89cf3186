// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_layer.h"

#include "core/common/error.h"
#include "core/settings/ini_document.h"
#include "core/settings/ini_text.h"

#include <cstdlib>
#include <iostream>

namespace krnz::settings {
namespace fs = std::filesystem;

IniLayer::IniLayer()
    : m_question([](const std::string& message) {
          std::cerr << message << '\n';
          return true;
      }),
      m_abort([] { std::exit(EXIT_FAILURE); }) {}

std::string IniLayer::readIniFrom(const fs::path& file, std::string_view section,
                                  std::string_view key, std::string_view defaultValue) const {
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

IniLayer& defaultIniLayer() {
    static IniLayer layer;
    return layer;
}

}  // namespace krnz::settings
