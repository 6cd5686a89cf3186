// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace krnz::report {

// The lines of a text broken at "\r\n", "\n" or a lone "\r"; an empty text is one empty line.
std::vector<std::string_view> textLines(std::string_view text);

// Number of characters (UTF-8 code points) of a text.
std::size_t charCount(std::string_view text);

// The lines joined with "\r\n", as the page's multi-line texts are written.
std::string joinCrLf(const std::vector<std::string>& lines);

}  // namespace krnz::report
