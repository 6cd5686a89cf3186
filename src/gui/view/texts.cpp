// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/texts.h"

namespace krnz::gui {

QString qtext(const TextLookup& texts, std::string_view section, std::string_view key) {
    return QString::fromStdString(texts.text(section, key));
}

QString qstr(const std::string& text) {
    return QString::fromStdString(text);
}
std::string stdstr(const QString& text) {
    return text.toStdString();
}

QString joinedLines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const auto& line : lines) list << qstr(line);
    return list.join(QLatin1Char('\n'));
}

QString toEditorText(const std::string& crlfText) {
    return qstr(crlfText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string fromEditorText(const QString& text) {
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return stdstr(normal.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

}  // namespace krnz::gui
