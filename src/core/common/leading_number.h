// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace krnz {

// The leading decimal number of a text, 0 when it has none ("80" -> 80, "2.5Hz" -> 2.5,
// " -3" -> -3, "s" -> 0). Blanks, tabs and line feeds are skipped wherever they stand, as the
// original conversion did ("1 000" -> 1000); an exponent may be written with E or D. The
// hexadecimal and octal prefixes of that conversion are not recognised.
double val(std::string_view text);

// The same number, or nothing when the text does not begin with one.
std::optional<double> leadingNumber(std::string_view text);

}  // namespace krnz
