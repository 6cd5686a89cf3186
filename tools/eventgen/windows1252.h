// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace krnz::eventgen {

// UTF-8 to the Windows-1252 bytes that instruments and Windows settings files hold. Characters
// without a Windows-1252 form become '?'. A byte that does not start a valid UTF-8 sequence is
// copied unchanged, so tests can put raw ANSI bytes into a text.
std::string toWindows1252(std::string_view utf8);

}  // namespace krnz::eventgen
