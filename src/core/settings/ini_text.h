// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace krnz::settings {

// Longest value a settings read returns, in characters; the original profile buffer held 1000
// including its terminating NUL.
inline constexpr std::size_t kMaxValueChars = 999;

// Case-insensitive equality as settings names compare: ASCII and the Latin-1 letters.
bool sameText(std::string_view a, std::string_view b);

// Upper-case form used by sameText.
std::string upperText(std::string_view text);

// `text` cut to at most `maxChars` UTF-8 characters (never inside a multi-byte sequence).
std::string_view cutToChars(std::string_view text, std::size_t maxChars);

}  // namespace krnz::settings
