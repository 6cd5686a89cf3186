// SPDX-License-Identifier: GPL-3.0-or-later
#include "user_texts.h"

#include "windows1252.h"

#include <utility>

namespace krnz::eventgen {

std::string lineBreaksToTilde(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') {
            out.push_back('~');
            ++k;
        } else if (text[k] == '\n') {
            out.push_back('~');
        } else {
            out.push_back(text[k]);
        }
    }
    return out;
}

std::vector<std::uint8_t> makeUserInfoFile(const UserTexts& texts) {
    const std::pair<const char*, std::string> keys[] = {
        {"client", texts.client},         {"operation", texts.operation},
        {"location", texts.location},     {"operator", texts.operatorName},
        {"notes", texts.notes},           {"company", texts.company},
        {"supplement", texts.supplement}, {"free", lineBreaksToTilde(texts.freeText)},
    };
    std::string ini = "[general]\r\n";
    for (const auto& [key, value] : keys)
        ini += std::string(key) + "=" + toWindows1252(value) + "\r\n";
    return {ini.begin(), ini.end()};
}

}  // namespace krnz::eventgen
