// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace krnz {

// Where captions and messages come from: a language file, or the built-in English texts.
class TextLookup {
  public:
    virtual ~TextLookup() = default;
    virtual std::string text(std::string_view section, std::string_view key) const = 0;
};

// The English reference texts compiled into the program, for callers without language files.
const TextLookup& builtinEnglish();

}  // namespace krnz
