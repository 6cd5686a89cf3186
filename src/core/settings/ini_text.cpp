// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_text.h"

namespace krnz::settings {

std::string upperText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 'a' && c <= 'z') {
            out.push_back(static_cast<char>(c - 'a' + 'A'));
        } else if (c == 0xC3 && i + 1 < text.size()) {
            // U+00E0..U+00FE except U+00F7 (division sign) have their capitals 0x20 below.
            const auto next = static_cast<unsigned char>(text[i + 1]);
            out.push_back(static_cast<char>(c));
            const bool lowerLetter = next >= 0xA0 && next <= 0xBE && next != 0xB7;
            out.push_back(static_cast<char>(lowerLetter ? next - 0x20 : next));
            ++i;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && upperText(a) == upperText(b);
}

std::string_view cutToChars(std::string_view text, std::size_t maxChars) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80) {  // a lead byte starts the next character
            if (chars == maxChars) {
                return text.substr(0, i);
            }
            ++chars;
        }
    }
    return text;
}

}  // namespace krnz::settings
