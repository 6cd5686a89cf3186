// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/dialog_prompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>

#include "platform/colors.h"

namespace krnz::gui {
namespace {

// CR LF in texts from the language files and the readers; Qt wants plain line feeds.
QString boxText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

void DialogPrompter::message(const std::string& text, platform::Severity severity) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const QString title = QApplication::applicationDisplayName();
    switch (severity) {
        case platform::Severity::Error:
            QMessageBox::critical(m_parent, title, boxText(text));
            break;
        case platform::Severity::Warning:
            QMessageBox::warning(m_parent, title, boxText(text));
            break;
        case platform::Severity::Information:
            QMessageBox::information(m_parent, title, boxText(text));
            break;
    }
    QApplication::restoreOverrideCursor();
}

bool DialogPrompter::question(const std::string& text) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const auto answer = QMessageBox::question(m_parent, QApplication::applicationDisplayName(),
                                              boxText(text), QMessageBox::Yes | QMessageBox::No);
    QApplication::restoreOverrideCursor();
    return answer == QMessageBox::Yes;
}

std::optional<std::int32_t> DialogPrompter::chooseColor(std::int32_t initial) {
    const QColor chosen = QColorDialog::getColor(platform::toQColor(initial), m_parent);
    if (!chosen.isValid()) return std::nullopt;
    return platform::fromQColor(chosen);
}

}  // namespace krnz::gui
