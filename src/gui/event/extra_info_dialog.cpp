// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/event/extra_info_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/event/user_text_rules.h"
#include "gui/view/texts.h"

namespace krnz::gui {

ExtraInfoDialog::ExtraInfoDialog(const TextLookup& texts, QWidget* parent)
    : QDialog(parent), m_texts(texts) {
    setObjectName(QStringLiteral("extrainfo"));
    m_company = new QLineEdit(this);
    m_company->setObjectName(QStringLiteral("company"));
    m_supplement = new QLineEdit(this);
    m_supplement->setObjectName(QStringLiteral("supplement"));
    m_free = new QPlainTextEdit(this);
    m_free->setObjectName(QStringLiteral("free"));
    m_free->setTabChangesFocus(true);
    m_freeRules = new PlainTextRules(*m_free);
    m_companyLabel = new QLabel(this);
    m_supplementLabel = new QLabel(this);
    m_freeLabel = new QLabel(this);

    auto* form = new QFormLayout;
    form->addRow(m_companyLabel, m_company);
    form->addRow(m_supplementLabel, m_supplement);
    form->addRow(m_freeLabel, m_free);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(460, 300);
    applyCaptions();
}

void ExtraInfoDialog::setTexts(const UserInfo& info, int fileFormat) {
    applyUserTextRules(*m_company, fileFormat, UserInfoField::Company);
    applyUserTextRules(*m_supplement, fileFormat, UserInfoField::Supplement);
    m_freeRules->setLimit(userTextLimit(fileFormat, UserInfoField::FreeText));
    setUncheckedText(*m_company, qstr(info.company));
    setUncheckedText(*m_supplement, qstr(info.supplement));
    m_freeRules->setUncheckedText(toEditorText(info.freeText));
}

void ExtraInfoDialog::takeTexts(UserInfo& info) const {
    info.company = stdstr(m_company->text());
    info.supplement = stdstr(m_supplement->text());
    info.freeText = fromEditorText(m_free->toPlainText());
}

void ExtraInfoDialog::applyCaptions() {
    setWindowTitle(qtext(m_texts, "extrainfo", "caption"));
    m_companyLabel->setText(qtext(m_texts, "extrainfo", "company") + QLatin1Char(':'));
    m_supplementLabel->setText(qtext(m_texts, "extrainfo", "supplement") + QLatin1Char(':'));
    m_freeLabel->setText(qtext(m_texts, "extrainfo", "free") + QLatin1Char(':'));
    m_ok->setText(qtext(m_texts, "extrainfo", "ok"));
    m_cancel->setText(qtext(m_texts, "extrainfo", "cancel"));
}

}  // namespace krnz::gui
