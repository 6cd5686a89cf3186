// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/event/user_text_rules.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

#include "core/common/text_encoding.h"

namespace krnz::gui {
namespace {

// `text` without the characters Windows-1252 cannot hold; `pos` moves back by those before it.
QString ansiOnly(const QString& text, int* pos = nullptr) {
    QString kept;
    kept.reserve(text.size());
    int newPos = pos ? *pos : 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        qsizetype units = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            units = 2;
        }
        // A surrogate without its partner is no character at all.
        const bool keep = !QChar::isSurrogate(cp) && hasAnsiForm(cp);
        if (keep) {
            kept += text.mid(i, units);
        } else if (pos && i < *pos) {
            newPos -= static_cast<int>(std::min<qsizetype>(units, *pos - i));
        }
        i += units - 1;
    }
    if (pos) *pos = newPos;
    return kept;
}

}  // namespace

QValidator::State AnsiValidator::validate(QString& input, int& pos) const {
    input = ansiOnly(input, &pos);
    return Acceptable;
}

void applyUserTextRules(QLineEdit& edit, int fileFormat, UserInfoField field) {
    // 32767 is a line edit's own limit, which no file rule goes beyond.
    const std::optional<std::size_t> limit = userTextLimit(fileFormat, field);
    edit.setMaxLength(limit ? static_cast<int>(*limit) : 32767);
    if (!edit.validator()) edit.setValidator(new AnsiValidator(&edit));
}

void setUncheckedText(QLineEdit& edit, const QString& text) {
    const QValidator* validator = edit.validator();
    edit.setValidator(nullptr);
    edit.setText(text);
    edit.setValidator(validator);
}

PlainTextRules::PlainTextRules(QPlainTextEdit& edit) : QObject(&edit), m_edit(edit) {
    connect(&m_edit, &QPlainTextEdit::textChanged, this, &PlainTextRules::edited);
}

void PlainTextRules::setUncheckedText(const QString& text) {
    m_fixing = true;
    m_edit.setPlainText(text);
    m_accepted = m_edit.toPlainText();
    m_fixing = false;
}

void PlainTextRules::edited() {
    if (m_fixing) return;
    const QString now = m_edit.toPlainText();
    if (now == m_accepted) return;
    // The edit is what lies between the parts the text had before and still has.
    const qsizetype shorter = std::min(now.size(), m_accepted.size());
    qsizetype prefix = 0;
    while (prefix < shorter && now[prefix] == m_accepted[prefix]) ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           now[now.size() - 1 - suffix] == m_accepted[m_accepted.size() - 1 - suffix])
        ++suffix;
    const QString inserted = now.mid(prefix, now.size() - prefix - suffix);
    QString kept = ansiOnly(inserted);
    if (m_limit) {
        const qsizetype others = now.size() - inserted.size();
        const auto room = static_cast<qsizetype>(*m_limit) - others;
        kept.truncate(std::max<qsizetype>(0, room));
    }
    if (kept != inserted) {
        m_fixing = true;
        QTextCursor cursor(m_edit.document());
        cursor.setPosition(static_cast<int>(prefix));
        cursor.setPosition(static_cast<int>(prefix + inserted.size()), QTextCursor::KeepAnchor);
        cursor.insertText(kept);
        m_edit.setTextCursor(cursor);
        m_fixing = false;
    }
    m_accepted = m_edit.toPlainText();
}

}  // namespace krnz::gui
