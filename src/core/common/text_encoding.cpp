// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/text_encoding.h"

#include <array>
#include <cstdint>

namespace krnz {
namespace {

// Code points of bytes 0x80..0x9F. The five bytes Windows leaves undefined map to the C1
// control of the same number, as Windows' own conversion does, so they survive a round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when it is not valid UTF-8
// (overlong forms, surrogates and code points above U+10FFFF are not).
std::size_t utf8Sequence(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

// The Windows-1252 byte of a character, or -1 when it has none.
int ansiByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t k = 0; k < kHighControls.size(); ++k)
        if (kHighControls[k] == cp) return static_cast<int>(0x80 + k);
    return -1;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    char32_t cp = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = utf8Sequence(bytes, i, cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

std::string decodeAnsi(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0) {
            appendUtf8(out, kHighControls[b - 0x80]);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

std::string decodeAnsiOrUtf8(std::string_view bytes) {
    return isValidUtf8(bytes) ? std::string(bytes) : decodeAnsi(bytes);
}

std::string encodeAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        std::size_t len = utf8Sequence(utf8, i, cp);
        if (len == 0) {  // not UTF-8 after all: keep the byte
            out += utf8[i];
            ++i;
            continue;
        }
        i += len;
        const int byte = ansiByte(cp);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

bool hasAnsiForm(char32_t codePoint) {
    return ansiByte(codePoint) >= 0;
}

std::string keepAnsiCharacters(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const std::size_t len = utf8Sequence(utf8, i, cp);
        if (len == 0) {
            ++i;
            continue;
        }
        if (hasAnsiForm(cp)) out.append(utf8.substr(i, len));
        i += len;
    }
    return out;
}

}  // namespace krnz
