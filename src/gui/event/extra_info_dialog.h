// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/event/event.h"
#include "core/settings/text_lookup.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace krnz::gui {

class PlainTextRules;

// The extra-information dialog (`extrainfo`): company, supplement and free text, the three
// texts that only appear on printouts. OK hands them back; nothing is written to disk here.
// The fields take what the event's file can hold (see user_text_rules.h).
class ExtraInfoDialog : public QDialog {
    Q_OBJECT
  public:
    ExtraInfoDialog(const TextLookup& texts, QWidget* parent = nullptr);

    // The texts of `info`, and the field rules of an event of `fileFormat`.
    void setTexts(const UserInfo& info, int fileFormat);
    // The dialog's three texts put into `info` (the other five stay).
    void takeTexts(UserInfo& info) const;

    void applyCaptions();

  private:
    const TextLookup& m_texts;
    QLabel* m_companyLabel;
    QLabel* m_supplementLabel;
    QLabel* m_freeLabel;
    QLineEdit* m_company;
    QLineEdit* m_supplement;
    QPlainTextEdit* m_free;
    PlainTextRules* m_freeRules;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

}  // namespace krnz::gui
