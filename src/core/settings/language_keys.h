// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace krnz::settings {

struct LanguageKey {
    std::string_view section;
    std::string_view key;
};

// Every text the program looks up in the language files. The reference file english.txt must
// hold all of them; a window that looks up a new key adds it here, and the tests then insist
// that every shipped language has it.
std::span<const LanguageKey> languageKeys();

}  // namespace krnz::settings
