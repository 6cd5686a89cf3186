// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/media/decimal_separator.h"

#include <QLocale>
#include <algorithm>

namespace krnz::gui {

char userDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    if (point.size() != 1 || point.front().unicode() > 0x7f) return '.';
    return static_cast<char>(point.front().unicode());
}

std::string withDecimalSeparator(std::string text, char separator) {
    if (separator != '.') std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

}  // namespace krnz::gui
