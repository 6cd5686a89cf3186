// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/text_lookup.h"

namespace krnz::gui {

// A caption or message of the current language as a Qt string.
QString qtext(const TextLookup& texts, std::string_view section, std::string_view key);

QString qstr(const std::string& text);
std::string stdstr(const QString& text);

// Lines joined for a multi-line label.
QString joinedLines(const std::vector<std::string>& lines);

// Free texts keep CR LF in the event's user information; editors use plain line feeds.
QString toEditorText(const std::string& crlfText);
std::string fromEditorText(const QString& text);

}  // namespace krnz::gui
