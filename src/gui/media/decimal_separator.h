// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace krnz::gui {

// The decimal separator of the user's regional number format; '.' when it is not one byte.
char userDecimalSeparator();

// Numbers written by the core with '.' in the user's format. Only for texts whose every '.' is
// a decimal point.
std::string withDecimalSeparator(std::string text, char separator);

}  // namespace krnz::gui
