// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QValidator>
#include <cstddef>
#include <optional>

#include "core/event/user_info_limits.h"

class QLineEdit;
class QPlainTextEdit;

namespace krnz::gui {

// Takes out of typed or pasted text the characters that Windows-1252 cannot hold, which the
// files keep user texts in; the rest of the input stays.
class AnsiValidator : public QValidator {
    Q_OBJECT
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// Gives a user-text line edit the rules of `field` in an event of `fileFormat`: its length in
// the file and Windows-1252 characters only.
void applyUserTextRules(QLineEdit& edit, int fileFormat, UserInfoField field);

// Shows a text as it stands, past the rules (a loaded text is the file's, whatever it holds).
void setUncheckedText(QLineEdit& edit, const QString& text);

// The same rules for a plain-text editor, which has neither a length limit nor a validator:
// each edit is taken back as far as the rules refuse it. A line break counts as one character,
// as the file stores it.
class PlainTextRules : public QObject {
    Q_OBJECT
  public:
    explicit PlainTextRules(QPlainTextEdit& edit);

    void setLimit(std::optional<std::size_t> limit) { m_limit = limit; }
    // Shows a text as it stands, past the rules.
    void setUncheckedText(const QString& text);

  private:
    void edited();

    QPlainTextEdit& m_edit;
    std::optional<std::size_t> m_limit;
    QString m_accepted;
    bool m_fixing = false;
};

}  // namespace krnz::gui
