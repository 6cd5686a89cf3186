// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace krnz {

// Instruments and Windows settings files write ANSI (Windows-1252) text; in memory all text is
// UTF-8. Valid UTF-8 is kept as it is, anything else is decoded as Windows-1252.
std::string decodeAnsiOrUtf8(std::string_view bytes);

// Windows-1252 bytes only, decoded (for bytes known to be ANSI).
std::string decodeAnsi(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes; characters without a Windows-1252 form become '?'.
std::string encodeAnsi(std::string_view utf8);

// Whether Windows-1252 has a byte for the character. The five bytes Windows leaves undefined
// count as the C1 controls they decode to.
bool hasAnsiForm(char32_t codePoint);

// The UTF-8 text without the characters that have no Windows-1252 form; bytes that are not
// UTF-8 are dropped too, since no character can be told from them.
std::string keepAnsiCharacters(std::string_view utf8);

}  // namespace krnz
