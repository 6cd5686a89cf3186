// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's events dock: opening a folder, the View menu's toggle, and opening the
// event of a row.
#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QMenu>
#include <algorithm>

#include "gui/event/events_dock.h"
#include "gui/view/main_window.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"

namespace krnz::gui {

void MainWindow::createEventsDock() {
    m_eventsDock = new EventsDock(m_session, this);
    addDockWidget(Qt::LeftDockWidgetArea, m_eventsDock);
    m_eventsDock->hide();
    QAction* toggle = m_eventsDock->toggleViewAction();
    toggle->setObjectName(QStringLiteral("mEventsList"));
    m_actions.mView->insertAction(m_actions.mOptions, toggle);
    m_actions.mView->insertSeparator(m_actions.mOptions);
    m_actions.mEventsList = toggle;
    // The strips are laid out for the client area, which the dock narrows or widens.
    m_central->setMinimumWidth(320);
    m_central->installEventFilter(this);
    connect(m_eventsDock, &QDockWidget::visibilityChanged, this, &MainWindow::eventsDockShown);
    connect(m_eventsDock, &EventsDock::scanFinished, this, &MainWindow::fitEventsDock);
    connect(m_eventsDock, &EventsDock::openRequested, this,
            [this](const std::filesystem::path& file, int group) {
                // Opening may ask questions; let the click or key that asked finish first.
                QMetaObject::invokeMethod(
                    this, [this, file, group] { loadEvent(file, group); }, Qt::QueuedConnection);
            });
}

void MainWindow::mOpenFolder_Click() {
    QFileDialog dialog(this, qtext(m_session.texts(), "events", "openFolderTitle"),
                       qstr(m_session.general().workDir));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    openFolder(stdstr(dialog.selectedFiles().front()));
}

void MainWindow::openFolder(const std::filesystem::path& folder) {
    const bool wasHidden = m_eventsDock->isHidden();
    m_eventsDock->showFolder(folder);
    m_eventsDock->show();
    m_eventsDock->raise();
    if (wasHidden) m_fitEventsDock = true;
}

void MainWindow::eventsDockShown(bool shown) {
    if (!shown) return;
    if (m_eventsDock->folder().empty() && m_session.hasEvent()) {
        m_fitEventsDock = true;
        m_eventsDock->showFolder(m_session.currentFile().parent_path());
    }
}

void MainWindow::fitEventsDock() {
    if (m_eventsDock->isFloating() || !m_eventsDock->isVisible()) return;
    // Once after being shown, and whenever the rows outgrow it (a verdict's "exceeds"): every
    // column whole while the strips keep at least the window's minimum width.
    const int wanted = m_eventsDock->wantedWidth();
    if (!m_fitEventsDock && wanted <= m_eventsDock->width()) return;
    m_fitEventsDock = false;
    const int room = width() - minimumWindowSize().width();
    resizeDocks({m_eventsDock}, {std::clamp(wanted, 240, std::max(240, room))}, Qt::Horizontal);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A window resize lays out by itself; this catches the dock taking or giving back room.
    if (watched == m_central && event->type() == QEvent::Resize) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_central->size() != m_laidOutSize) formResize();
            },
            Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace krnz::gui
