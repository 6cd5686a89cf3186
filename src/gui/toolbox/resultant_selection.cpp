// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/toolbox/resultant_selection.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/analysis/operator_choices.h"
#include "core/analysis/operator_codes.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/screen_fit.h"
#include "gui/view/texts.h"

namespace krnz::gui {

ResultantSelection::ResultantSelection(const TextLookup& texts, QWidget* parent)
    : QDialog(parent), m_texts(texts) {
    setObjectName(QStringLiteral("toolboxResultantSelection"));
    setWindowTitle(qtext(texts, analysis::kToolboxSection, "selectNchannels"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(qtext(texts, analysis::kToolboxSection, "sourceChannel"), this), 0,
                    0, 1, kSlots);
    for (int c = 0; c < kSlots; ++c) {
        auto* box = new QCheckBox(QString::number(c + 1), this);
        box->setObjectName(QStringLiteral("inCh%1").arg(c));
        m_inCh[static_cast<std::size_t>(c)] = box;
        grid->addWidget(box, 1, c);
    }
    m_outCh = new QComboBox(this);
    m_outCh->setObjectName(QStringLiteral("outCh"));
    for (int c = 1; c <= kSlots; ++c) m_outCh->addItem(QString::number(c));
    m_outCh->setCurrentIndex(0);
    grid->addWidget(new QLabel(qtext(texts, analysis::kToolboxSection, "destinationChannel"), this),
                    2, 0, 1, 2);
    grid->addWidget(m_outCh, 2, 2);
    auto* okButton = new QPushButton(qtext(texts, "option", "ok"), this);
    okButton->setObjectName(QStringLiteral("ok"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &ResultantSelection::ok);
    // Esc rejects too, as in every QDialog.
    auto* cancelButton = new QPushButton(qtext(texts, "option", "cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancel"));
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 3, 0, 1, kSlots);
    setMinimumWidth(titleBarWidth(*this));
}

void ResultantSelection::ok() {
    std::array<bool, kSlots> checked{};
    for (int c = 0; c < kSlots; ++c)
        checked[static_cast<std::size_t>(c)] = m_inCh[static_cast<std::size_t>(c)]->isChecked();
    PrompterReporter reporter;
    m_chosen =
        analysis::resultantChoice(checked, m_outCh->currentText().toInt(), m_texts, reporter);
    if (m_chosen) accept();
}

std::optional<analysis::ResultantChoice> ResultantSelection::ask(const TextLookup& texts,
                                                                 QWidget* parent) {
    ResultantSelection dialog(texts, parent);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = dialog.exec();
    QApplication::restoreOverrideCursor();
    if (result != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

}  // namespace krnz::gui
