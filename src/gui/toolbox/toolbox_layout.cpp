// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbox's controls, their placement and captions. The rows stand side by side in the
// order of the main window's strips.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "gui/toolbox/toolbox_window.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"

namespace krnz::gui {
namespace {

constexpr std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

template <typename T>
T* named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

void ToolboxWindow::buildControls() {
    m_rowsFrame = named(new QGroupBox(this), QStringLiteral("rowsFrame"));
    m_sourceLabel = named(new QLabel(m_rowsFrame), QStringLiteral("sourceChannelLabel"));
    m_appliedLabel = named(new QLabel(m_rowsFrame), QStringLiteral("appliedOperatorsLabel"));
    for (int r = 0; r < kSlots; ++r) {
        const QString n = QString::number(r);
        m_channelOn[at(r)] = named(new QCheckBox(m_rowsFrame), QStringLiteral("channelOn") + n);
        m_channelOn[at(r)]->setChecked(true);
        QComboBox* inCh = named(new QComboBox(m_rowsFrame), QStringLiteral("inCh") + n);
        for (int c = 1; c <= kSlots; ++c) inCh->addItem(QString::number(c));
        inCh->setCurrentIndex(r);  // each row starts on its own channel
        m_inCh[at(r)] = inCh;
        QListWidget* list = named(new QListWidget(m_rowsFrame), QStringLiteral("opGrid") + n);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setMinimumSize(100, 100);
        m_opGrid[at(r)] = list;
        m_intOn[at(r)] = named(new QCheckBox(m_rowsFrame), QStringLiteral("intOn") + n);
    }
    m_operatorsFrame = named(new QGroupBox(this), QStringLiteral("operatorsFrame"));
    for (int op = 0; op < analysis::kOperatorCount; ++op)
        m_opButt[at(op)] =
            named(new QPushButton(m_operatorsFrame), QStringLiteral("opButt%1").arg(op));
    m_macroFrame = named(new QGroupBox(this), QStringLiteral("macroFrame"));
    m_macroList = named(new QListWidget(m_macroFrame), QStringLiteral("macroList"));
    m_macroList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_new = named(new QPushButton(m_macroFrame), QStringLiteral("new"));
    m_save = named(new QPushButton(m_macroFrame), QStringLiteral("save"));
    m_delete = named(new QPushButton(this), QStringLiteral("delete"));
    m_showButt = named(new QPushButton(this), QStringLiteral("showButt"));
    m_showButt->setDefault(true);
    m_print = named(new QPushButton(this), QStringLiteral("print"));
}

void ToolboxWindow::layOutControls() {
    auto* rows = new QGridLayout(m_rowsFrame);
    rows->addWidget(m_sourceLabel, 1, 0);
    rows->addWidget(m_appliedLabel, 2, 0, Qt::AlignTop);
    for (int r = 0; r < kSlots; ++r) {
        rows->addWidget(m_channelOn[at(r)], 0, r + 1);
        rows->addWidget(m_inCh[at(r)], 1, r + 1);
        rows->addWidget(m_opGrid[at(r)], 2, r + 1);
        rows->addWidget(m_intOn[at(r)], 3, r + 1);
        rows->setColumnStretch(r + 1, 1);
    }
    rows->setRowStretch(2, 1);

    auto* operators = new QVBoxLayout(m_operatorsFrame);
    for (QPushButton* button : m_opButt) operators->addWidget(button);

    auto* macro = new QGridLayout(m_macroFrame);
    macro->addWidget(m_macroList, 0, 0, 1, 3);
    macro->addWidget(m_new, 1, 0);
    macro->addWidget(m_save, 1, 1);
    macro->setColumnStretch(2, 1);
    m_macroList->setMaximumHeight(80);

    // On a small screen the rows scroll rather than push the window off it.
    auto* rowsScroll = new QScrollArea(this);
    rowsScroll->setObjectName(QStringLiteral("rowsScroll"));
    rowsScroll->setFrameShape(QFrame::NoFrame);
    rowsScroll->setWidgetResizable(true);
    rowsScroll->setWidget(m_rowsFrame);
    auto* left = new QVBoxLayout;
    left->addWidget(rowsScroll, 1);
    left->addWidget(m_macroFrame);
    auto* right = new QVBoxLayout;
    right->addWidget(m_operatorsFrame);
    right->addWidget(m_delete);
    right->addStretch(1);
    right->addWidget(m_showButt);
    right->addWidget(m_print);
    auto* window = new QHBoxLayout(this);
    window->addLayout(left, 1);
    window->addLayout(right);
    // The lists' own size hints would make the window wider than most screens.
    resize(900, 470);
}

void ToolboxWindow::applyCaptions() {
    const TextLookup& texts = m_session.texts();
    const auto t = [&texts](std::string_view key) {
        return qtext(texts, analysis::kToolboxSection, key);
    };
    setWindowTitle(t("title"));
    m_sourceLabel->setText(t("sourceChannel"));
    m_appliedLabel->setText(t("appliedOperators"));
    const QString channel = qtext(texts, "krn", "channel");
    for (int r = 0; r < kSlots; ++r) {
        m_channelOn[at(r)]->setText(channel + QLatin1Char(' ') + QString::number(r + 1));
        m_intOn[at(r)]->setText(t("interpolate"));
    }
    m_operatorsFrame->setTitle(t("operators"));
    for (int op = 0; op < analysis::kOperatorCount; ++op)
        m_opButt[at(op)]->setText(qstr(analysis::opCaption(op, texts)));
    m_macroFrame->setTitle(t("macro"));
    m_new->setText(t("new"));
    m_save->setText(t("save"));
    m_delete->setText(t("delete"));
    m_showButt->setText(t("show"));
    m_print->setText(qtext(texts, "krn", "mPrint"));
}

}  // namespace krnz::gui
