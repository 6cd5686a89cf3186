// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/toolbox/frequency_selector.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/analysis/operator_choices.h"
#include "core/analysis/operator_codes.h"
#include "core/common/leading_number.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/screen_fit.h"
#include "gui/view/texts.h"

namespace krnz::gui {
namespace {

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFixedSize(18, 12);
    return button;
}

}  // namespace

FrequencySelector::FrequencySelector(const TextLookup& texts, QWidget* parent)
    : QDialog(parent), m_texts(texts) {
    setObjectName(QStringLiteral("toolboxFrequencySelector"));
    setWindowTitle(qtext(texts, analysis::kToolboxSection, "selectFrq"));
    m_frq = new QLineEdit(
        QString::fromLatin1(analysis::kFrequencyStartText.data(),
                            static_cast<qsizetype>(analysis::kFrequencyStartText.size())),
        this);
    m_frq->setObjectName(QStringLiteral("frq"));
    m_frq->setMaximumWidth(80);

    auto* upDown = new QWidget(this);
    upDown->setObjectName(QStringLiteral("upDown"));
    auto* up = arrowButton(Qt::UpArrow, upDown);
    up->setObjectName(QStringLiteral("up"));
    auto* down = arrowButton(Qt::DownArrow, upDown);
    down->setObjectName(QStringLiteral("down"));
    auto* arrows = new QVBoxLayout(upDown);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { step(1); });
    connect(down, &QToolButton::clicked, this, [this] { step(-1); });

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
    row->addWidget(upDown);
    row->addWidget(new QLabel(QStringLiteral("Hz"), this));
    row->addSpacing(12);
    row->addWidget(okButton);
    row->addWidget(cancelButton);
    setMinimumWidth(titleBarWidth(*this));
}

void FrequencySelector::setFrequencyText(const QString& text) {
    m_frq->setText(text);
}

QString FrequencySelector::frequencyText() const {
    return m_frq->text();
}

void FrequencySelector::step(int delta) {
    // The up-down moves within the range even from a text that lies outside it.
    const double now = std::round(val(stdstr(m_frq->text())));
    const double next =
        std::clamp(now + delta, double(analysis::kMinFilterHz), double(analysis::kMaxFilterHz));
    m_frq->setText(QString::number(static_cast<int>(next)));
}

void FrequencySelector::ok() {
    PrompterReporter reporter;
    m_chosen = analysis::frequencyChoice(stdstr(m_frq->text()), m_texts, reporter);
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
