// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's files: opening events (dialog, command line, recent list, drag and drop)
// and storing settings and user information at shut-down.
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QUrl>

#include "core/common/error.h"
#include "core/settings/general_settings.h"
#include "core/view/recent_files.h"
#include "gui/event/events_dock.h"
#include "gui/event/save_user_info.h"
#include "gui/spectrum/spectrum_window.h"
#include "gui/toolbox/toolbox_window.h"
#include "gui/view/cursor_controller.h"
#include "gui/view/main_window.h"
#include "gui/view/sample_info_panel.h"
#include "gui/view/session.h"
#include "gui/view/start_screen.h"
#include "gui/view/texts.h"
#include "platform/prompter.h"

namespace krnz::gui {
namespace {

// A single local file dragged onto the window.
std::optional<QString> droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
    const QUrl url = data->urls().front();
    if (!url.isLocalFile()) return std::nullopt;
    return url.toLocalFile();
}

}  // namespace

void MainWindow::mOpen_Click() {
    const settings::GeneralSettings& general = m_session.general();
    // "?" "?" ")" would be a trigraph; the pattern is pasted together instead.
    const QString krnPattern = QStringLiteral("KRN*.") + QString(3, QLatin1Char('?'));
    const QStringList filters = {
        QStringLiteral("KRN files (%1 %2)").arg(krnPattern, krnPattern.toLower()),
        QStringLiteral("Tremolog files (*.tremolog)"), QStringLiteral("All files (*)")};
    const int filter = std::clamp<int>(general.fileFilter, 1, 3);
    QFileDialog dialog(this, QStringLiteral("Open KRN File"), qstr(general.workDir));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[filter - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    m_session.setFileFilter(
        static_cast<std::int16_t>(filters.indexOf(dialog.selectedNameFilter()) + 1));
    loadEvent(stdstr(dialog.selectedFiles().front()));
}

bool MainWindow::loadEvent(const std::filesystem::path& path, std::optional<int> group) {
    const bool opened = gui::loadEvent(m_session, path, *this, group);
    updateRecentMenu();
    return opened;
}

bool MainWindow::openFromCommandLine(const QString& argument) {
    QString path = argument;
    if (path.startsWith(QLatin1Char('"'))) path.remove(0, 1);
    if (path.endsWith(QLatin1Char('"'))) path.chop(1);
    if (path.isEmpty()) return false;
    const std::filesystem::path file(stdstr(path));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return false;
    return loadEvent(file);
}

void MainWindow::setChannelGroupChooser(std::function<std::optional<int>()> chooser) {
    m_chooseGroup = std::move(chooser);
}

std::optional<int> MainWindow::chooseChannelGroup() {
    return m_chooseGroup ? m_chooseGroup() : std::nullopt;
}

void MainWindow::showLoadingScreen() {
    m_startScreen->setGeometry(m_central->rect());
    m_startScreen->showLoading();
}

void MainWindow::hideLoadingScreen() {
    if (m_session.hasEvent()) {
        m_startScreen->hide();
    } else {
        m_startScreen->showWelcome();
    }
}

void MainWindow::eventOpened() {
    enableEventActions(m_actions);
    m_cursor->refresh();
    updateTitle();
    showUserInfo();
    updatePanels();
    m_startScreen->hide();
    formResize();
    // The list follows the event to its folder, while it is shown.
    if (m_eventsDock->isVisible()) {
        m_eventsDock->showFolder(m_session.currentFile().parent_path());
        m_eventsDock->selectEvent(m_session.currentFile(), m_session.event().sample.channelGroup);
    }
}

void MainWindow::openRecent(const QString& path) {
    if (!openFromCommandLine(path)) platform::prompter().message(stdstr(path) + ": file not found");
}

void MainWindow::updateRecentMenu() {
    QMenu* menu = m_actions.recentMenu;
    menu->clear();
    const auto& files = m_session.recentFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString path = qstr(files[i]);
        const QString name = qstr(std::filesystem::path(files[i]).filename().string());
        QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        action->setToolTip(path);
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    menu->setEnabled(!files.empty());
    QStringList paths;
    for (const std::string& file : files) paths << qstr(file);
    m_startScreen->setRecentFiles(paths);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const auto file = droppedFile(event->mimeData());
    if (!file) return;
    event->acceptProposedAction();
    // Opening asks questions; let the drag finish first.
    QMetaObject::invokeMethod(
        this, [this, path = *file] { loadEvent(stdstr(path)); }, Qt::QueuedConnection);
}

void MainWindow::shutDown() {
    try {
        // Closing the spectrum window stores its place and choices with the general settings.
        if (m_spectrumWindow) m_spectrumWindow->unload();
        saveUserInfo(m_session, SaveUserInfo::WhenEdited);
        const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
        // The position is the frame's within the work area, as the start restores it with
        // move(); the size is the client area's, as resize() restores it. Mixing the two moved
        // the window down a title bar's height at every start.
        const QPoint frameOffset = geometry().topLeft() - frameGeometry().topLeft();
        const QRect area = screen() != nullptr ? screen()->availableGeometry() : QRect();
        const QPoint framePos = normal.topLeft() - frameOffset - area.topLeft();
        const double tpp = m_metrics.twipsPerPixel;
        m_session.setMainWindowPlace(static_cast<float>(framePos.x() * tpp),
                                     static_cast<float>(framePos.y() * tpp),
                                     static_cast<std::int32_t>(normal.width() * tpp),
                                     static_cast<std::int32_t>(normal.height() * tpp),
                                     isMinimized()   ? 1
                                     : isMaximized() ? 2
                                                     : 0);
        try {
            settings::writeGeneralSettings(m_session.paths().generalIniPath(), m_session.general());
            view::writeRecentFiles(m_session.paths().generalIniPath(), m_session.recentFiles());
        } catch (const Error& e) {
            // The user was told during the run that settings cannot be saved.
            if (!m_session.settingsNotSavedSaid()) throw;
            m_session.settingsNotSaved(e);
        }
    } catch (const Error& e) {
        platform::prompter().message("form_unloaderror " + std::to_string(e.number()) + "\r\n" +
                                         e.text() + "\r\nterminating anyway",
                                     platform::Severity::Error);
    } catch (const std::exception& e) {
        platform::prompter().message(
            std::string("form_unloaderror 0\r\n") + e.what() + "\r\nterminating anyway",
            platform::Severity::Error);
    }
}

}  // namespace krnz::gui
