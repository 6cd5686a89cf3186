// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/toolbox/frequency_selector.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>

#include "core/analysis/operator_choices.h"
#include "core/analysis/operator_codes.h"
#include "core/common/leading_number.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/screen_fit.h"
#include "gui/view/texts.h"

namespace krnz::gui {

FrequencySelector::FrequencySelector(const TextLookup& texts, QWidget* parent)
    : QDialog(parent), m_texts(texts) {
    setObjectName(QStringLiteral("toolboxFrequencySelector"));
    setWindowTitle(qtext(texts, analysis::kToolboxSection, "selectFrq"));
    // Whole hertz only: the box refuses anything else as it is typed, and shows its range.
    m_frq = new QSpinBox(this);
    m_frq->setObjectName(QStringLiteral("frq"));
    m_frq->setRange(analysis::kMinFilterHz, analysis::kMaxFilterHz);
    setFrequencyText(
        QString::fromLatin1(analysis::kFrequencyStartText.data(),
                            static_cast<qsizetype>(analysis::kFrequencyStartText.size())));
    auto* range = new QLabel(
        QStringLiteral("Hz (%1 - %2)").arg(analysis::kMinFilterHz).arg(analysis::kMaxFilterHz),
        this);
    range->setObjectName(QStringLiteral("range"));

    auto* okButton = new QPushButton(qtext(texts, "option", "ok"), this);
    okButton->setObjectName(QStringLiteral("ok"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &FrequencySelector::ok);
    // Esc rejects too, as in every QDialog.
    auto* cancelButton = new QPushButton(qtext(texts, "option", "cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancel"));
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout(this);
    row->addWidget(m_frq);
    row->addWidget(range);
    row->addSpacing(12);
    row->addWidget(okButton);
    row->addWidget(cancelButton);
    setMinimumWidth(titleBarWidth(*this));
}

void FrequencySelector::setFrequencyText(const QString& text) {
    // Start texts are whole numbers (the default, or a filter's own frequency).
    m_frq->setValue(static_cast<int>(std::lround(val(stdstr(text)))));
}

QString FrequencySelector::frequencyText() const {
    return m_frq->text();
}

void FrequencySelector::ok() {
    m_frq->interpretText();
    PrompterReporter reporter;
    m_chosen = analysis::frequencyChoice(std::to_string(m_frq->value()), m_texts, reporter);
    if (m_chosen) accept();
}

std::optional<int> FrequencySelector::ask(const TextLookup& texts, const QString& startText,
                                          QWidget* parent) {
    FrequencySelector dialog(texts, parent);
    dialog.setFrequencyText(startText);
    dialog.m_frq->selectAll();
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = dialog.exec();
    QApplication::restoreOverrideCursor();
    return result == QDialog::Accepted ? dialog.chosen() : std::nullopt;
}

}  // namespace krnz::gui
