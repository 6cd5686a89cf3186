// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/toolbox/toolbox_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

#include "core/analysis/active_channels.h"
#include "core/analysis/operator_choices.h"
#include "gui/report/print_dialog.h"
#include "gui/toolbox/frequency_selector.h"
#include "gui/toolbox/resultant_selection.h"
#include "gui/view/screen_fit.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/prompter.h"
#include "platform/screen_metrics.h"

namespace krnz::gui {
namespace {

constexpr std::size_t at(int row) {
    return static_cast<std::size_t>(row);
}

}  // namespace

ToolboxWindow::ToolboxWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_session(session) {
    setObjectName(QStringLiteral("toolbox"));
    buildControls();
    layOutControls();
    connectControls();
    applyCaptions();
    refreshLists();
    m_chooseFrequency = [this](const QString& startText) {
        return FrequencySelector::ask(m_session.texts(), startText, this);
    };
    m_chooseResultant = [this] { return ResultantSelection::ask(m_session.texts(), this); };
    connect(&m_session, &Session::languageChanged, this, &ToolboxWindow::applyCaptions);
    connect(&m_session, &Session::chainChanged, this, &ToolboxWindow::refreshLists);
    // A new event: the chain works on its rows from now on, and the rows' boxes show it.
    connect(&m_session, &Session::eventChanged, this, [this] {
        init();
        if (!isVisible()) return;
        copyChannelOnFromOptions();
        refreshLists();
    });
}

const analysis::OperatorChain& ToolboxWindow::chain() const {
    return m_session.chain();
}

void ToolboxWindow::connectControls() {
    for (int r = 0; r < kSlots; ++r) {
        connect(m_inCh[at(r)], &QComboBox::currentIndexChanged, this, [this, r](int index) {
            if (index >= 0) m_session.setChainSource(r, index + 1);
        });
        connect(m_channelOn[at(r)], &QCheckBox::clicked, this, [this, r] { channelOnClicked(r); });
        connect(m_intOn[at(r)], &QCheckBox::toggled, this,
                [this, r](bool on) { m_session.setChainIntOn(r, on); });
        QListWidget* list = m_opGrid[at(r)];
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        connect(list, &QListWidget::itemSelectionChanged, this, [this, r, list] {
            if (m_refreshing) return;
            const QList<QListWidgetItem*> items = list->selectedItems();
            m_session.selectChainEntry(r, items.isEmpty() ? -1 : list->row(items.front()));
            m_session.setChainRow(r);
        });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, r, list](QListWidgetItem* item) { editEntry(r, list->row(item)); });
    }
    for (int op = 0; op < analysis::kOperatorCount; ++op)
        connect(m_opButt[at(op)], &QPushButton::clicked, this, [this, op] { addOperator(op); });
    connect(m_showButt, &QPushButton::clicked, this, &ToolboxWindow::showChain);
    connect(m_delete, &QPushButton::clicked, this, &ToolboxWindow::deleteSelected);
    connect(m_new, &QPushButton::clicked, this, &ToolboxWindow::newChain);
    connect(m_save, &QPushButton::clicked, this, &ToolboxWindow::saveMacro);
    connect(m_macroList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { loadMacro(m_macroList->row(item)); });
    connect(m_print, &QPushButton::clicked, this, [this] { m_session.requestEventPrint(); });
}

void ToolboxWindow::openToolbox() {
    m_session.setToolboxOpen(true);
    if (!isVisible()) {
        init();
        m_session.setChainRow(0);
        listMacros();
    }
    copyChannelOnFromOptions();
    show();
    raise();
    activateWindow();
}

void ToolboxWindow::init() {
    m_session.keepLoadedSamples();
}

void ToolboxWindow::showChain() {
    if (!m_session.hasEvent()) return;
    {
        const WaitCursor wait;
        copyChannelOnFromOptions();
        m_session.applyChain(m_reporter);
    }
    raise();
    activateWindow();
}

void ToolboxWindow::addOperator(int op) {
    switch (op) {
        case analysis::kOpLowPass:
        case analysis::kOpHiPass: {
            const std::optional<int> frequency = m_chooseFrequency(
                QString::fromLatin1(analysis::kFrequencyStartText.data(),
                                    static_cast<qsizetype>(analysis::kFrequencyStartText.size())));
            if (!frequency) return;
            m_session.addChainFilter(op, *frequency);
            break;
        }
        case analysis::kOpResultant: {
            const std::optional<analysis::ResultantChoice> choice = m_chooseResultant();
            if (!choice) return;
            m_session.addChainResultant(*choice);
            break;
        }
        default:
            m_session.addChainOperator(op);
    }
}

void ToolboxWindow::editEntry(int row, int index) {
    const std::optional<std::string> start = chain().filterFrequencyText(row, index);
    if (!start) return;
    const std::optional<int> frequency = m_chooseFrequency(qstr(*start));
    if (!frequency) return;
    m_session.setChainFrequency(row, index, *frequency);
}

void ToolboxWindow::deleteSelected() {
    m_session.deleteChainEntry();
}

void ToolboxWindow::newChain() {
    m_session.clearChain();
    m_macros.select(-1);
    refreshMacroList();
}

void ToolboxWindow::refreshLists() {
    m_refreshing = true;
    for (int r = 0; r < kSlots; ++r) {
        QListWidget* list = m_opGrid[at(r)];
        list->clear();
        for (const std::string& entry : chain().opGrid(r)) list->addItem(qstr(entry));
        const int selected = chain().selected(r);
        list->setCurrentRow(selected);
        if (selected < 0) list->clearSelection();
    }
    m_refreshing = false;
}

void ToolboxWindow::copyChannelOnFromOptions() {
    std::array<bool, kSlots> on{};
    for (int r = 0; r < kSlots; ++r) {
        on[at(r)] = view::isActive(m_session.options(), r);
        m_channelOn[at(r)]->setChecked(on[at(r)]);
    }
    m_session.setChainChannelOn(on);
}

void ToolboxWindow::channelOnClicked(int row) {
    std::array<bool, kSlots> on{};
    for (int r = 0; r < kSlots; ++r) on[at(r)] = m_channelOn[at(r)]->isChecked();
    if (std::none_of(on.begin(), on.end(), [](bool b) { return b; })) {
        m_channelOn[at(row)]->setChecked(true);
        platform::prompter().message(m_session.texts().text("option", "errChannelOn"));
        return;
    }
    m_session.setChainChannelOn(on);
    m_session.setChainRow(chain().firstActiveRow());
}

bool ToolboxWindow::eventFilter(QObject* watched, QEvent* event) {
    // A click into a list that already has the focus makes its row current too (the focus may
    // have gone to another row's list through a "channelOn" box meanwhile).
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) {
        for (int r = 0; r < kSlots; ++r)
            if (watched == m_opGrid[at(r)] || watched == m_opGrid[at(r)]->viewport())
                m_session.setChainRow(r);
    }
    return QWidget::eventFilter(watched, event);
}

void ToolboxWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) copyChannelOnFromOptions();
    QWidget::changeEvent(event);
}

void ToolboxWindow::showEvent(QShowEvent* event) {
    keepOnScreen(*this);
    QWidget::showEvent(event);
}

void ToolboxWindow::closeEvent(QCloseEvent* event) {
    // close() reaches a hidden window too; the event was put back when it was hidden.
    if (isVisible()) unload();
    event->accept();
}

void ToolboxWindow::unload() {
    m_session.unloadChain();
    m_session.setToolboxOpen(false);
}

}  // namespace krnz::gui
