// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "core/analysis/active_channels.h"
#include "core/event/samples_in_file.h"
#include "core/view/cursor.h"
#include "gui/event/channel_group_dialog.h"
#include "gui/event/events_dock.h"
#include "gui/event/extra_info_dialog.h"
#include "gui/event/save_user_info.h"
#include "gui/media/media_actions.h"
#include "gui/media/picture_files.h"
#include "gui/report/extra_graph_window.h"
#include "gui/report/print_dialog.h"
#include "gui/settings/options_dialog.h"
#include "gui/spectrum/spectrum_window.h"
#include "gui/toolbox/toolbox_window.h"
#include "gui/view/channel_info_panel.h"
#include "gui/view/cursor_controller.h"
#include "gui/view/graph_area.h"
#include "gui/view/sample_info_panel.h"
#include "gui/view/session.h"
#include "gui/view/start_screen.h"
#include "gui/view/strip_widget.h"
#include "gui/view/texts.h"
#include "gui/view/user_guide_window.h"
#include "krnz_version.h"
#include "platform/prompter.h"

namespace krnz::gui {

MainWindow::MainWindow(Session& session, bool debugMenu, QWidget* parent)
    : QMainWindow(parent), m_session(session) {
    setObjectName(QStringLiteral("krn"));
    setAcceptDrops(true);
    createCentral();
    m_actions = createMainActions(*this, *m_central, debugMenu);
    m_startScreen->raise();

    CursorControls controls;
    controls.mCursor = m_actions.mCursor;
    controls.mInsertRef = m_actions.mInsertRef;
    controls.mRemoveRef = m_actions.mRemoveRef;
    controls.deltaLabel = m_actions.deltaLabel;
    controls.deltaAction = m_actions.deltaAction;
    controls.scrollBar = m_scrollBar;
    m_cursor = new CursorController(m_session, *m_graphArea, controls, this);
    m_optionsDialog = new OptionsDialog(m_session, this);
    m_chooseGroup = [this] { return ChannelGroupDialog::ask(m_session.texts(), this); };
    createEventsDock();

    connectActions();
    updateMetrics();
    setMinimumSize(minimumWindowSize());
    applyCaptions();
    updateRecentMenu();
    m_startScreen->showWelcome();
}

MainWindow::~MainWindow() {
    // The dock is hidden as the window goes; its signals must not reach a half-destroyed window.
    m_central->removeEventFilter(this);
    disconnect(m_eventsDock, nullptr, this, nullptr);
}

void MainWindow::createCentral() {
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_central);
    m_samplePanel = new SampleInfoPanel(m_central);
    m_channelPanel = new ChannelInfoPanel(m_central);
    m_graphArea = new GraphArea(m_central);
    m_scrollBar = new QScrollBar(Qt::Vertical, m_central);
    m_scrollBar->setObjectName(QStringLiteral("VScroll1"));
    m_scrollBar->setRange(0, m_zoom.scroll.max);
    m_scrollBar->setSingleStep(m_zoom.scroll.smallChange);
    m_scrollBar->setPageStep(m_zoom.scroll.largeChange);
    m_scrollBar->hide();
    m_startScreen = new StartScreen(m_central);
    connect(m_startScreen, &StartScreen::recentFileClicked, this, &MainWindow::openRecent);
}

void MainWindow::connectActions() {
    MainActions& a = m_actions;
    connect(a.mOpen, &QAction::triggered, this, &MainWindow::mOpen_Click);
    connect(a.mOpenFolder, &QAction::triggered, this, &MainWindow::mOpenFolder_Click);
    connect(a.mSaveUserinfo, &QAction::triggered, this, &MainWindow::saveUserInfoClicked);
    connect(a.mExit, &QAction::triggered, this, &QWidget::close);
    for (QAction* toggle : {a.mToolbar, a.mSampleInfo, a.mChannelInfo})
        connect(toggle, &QAction::triggered, this, &MainWindow::togglePanel);
    connect(a.mCursor, &QAction::triggered, this, [this] { m_cursor->toggleCursor(); });
    connect(a.mOptions, &QAction::triggered, this, [this] {
        m_optionsDialog->show();
        m_optionsDialog->raise();
        m_optionsDialog->activateWindow();
    });
    connect(a.mInsertRef, &QAction::triggered, this,
            [this] { m_cursor->graphKeyDown(0, CursorKey::InsertRef); });
    connect(a.mRemoveRef, &QAction::triggered, this,
            [this] { m_cursor->graphKeyDown(0, CursorKey::RemoveRef); });
    connect(a.mAbout, &QAction::triggered, this, &MainWindow::about);
    connect(a.mGuide, &QAction::triggered, this, [this] { userGuideWindow().showGuide(); });
    m_media = new MediaActions(m_session, *this, *this, m_actions);
    connect(a.toolboxButton, &QToolButton::clicked, this,
            [this] { toolboxWindow().openToolbox(); });
    connect(a.mPrint, &QAction::triggered, this, [this] { printDialog().call_non_fft_print(); });
    connect(a.mPrint_old, &QAction::triggered, this,
            [this] { printDialog().call_non_fft_print(); });
    connect(a.Print_butt, &QToolButton::clicked, this,
            [this] { printDialog().call_non_fft_print(); });
    connect(a.viewXgraphButton, &QToolButton::clicked, this, [this] {
        ExtraGraphWindow& graph = extraGraphWindow();
        graph.show();
        graph.raise();
        graph.activateWindow();
    });
    connect(a.frqButt, &QToolButton::clicked, this, &MainWindow::frqButtClicked);
    connect(a.zoomfaktorCombo, &QComboBox::activated, this, [this](int index) {
        selectZoom(m_actions.zoomfaktorCombo->itemData(index).toInt());
        // The keys belong to the strips again: PgUp/PgDn move the view, not the zoom.
        if (m_session.hasEvent())
            m_graphArea
                ->strip(view::firstactivechannel(m_session.options(), m_session.event().sample))
                .setFocus(Qt::OtherFocusReason);
    });
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &MainWindow::scrolled);

    for (int c = 0; c < kSlots; ++c) {
        StripWidget& strip = m_graphArea->strip(c);
        connect(&strip, &StripWidget::mousePressed, this,
                [this](int slot, Qt::MouseButton button, QPointF pos) {
                    if (button == Qt::LeftButton) m_cursor->graphMouseDown(slot, pos.y());
                    if (button == Qt::RightButton) showRefMenu(slot, pos);
                });
        connect(&strip, &StripWidget::mouseDragged, this,
                [this](int slot, QPointF pos) { m_cursor->graphMouseMove(slot, pos.y()); });
        connect(&strip, &StripWidget::wheelTurned, this, [this](int notches, bool zoom) {
            if (!m_session.hasEvent()) return;
            if (zoom) {
                selectZoom(view::steppedZoom(m_zoom.zoom, notches));
                return;
            }
            view::ScrollState scroll = m_zoom.scroll;
            scroll.value = m_scrollBar->value();
            scroll.max = m_scrollBar->maximum();
            m_scrollBar->setValue(view::wheelScrollValue(scroll, notches));
        });
        connect(&strip, &StripWidget::keyPressed, this,
                [this](int slot, CursorKey key) { m_cursor->graphKeyDown(slot, key); });
    }
    connect(m_samplePanel, &SampleInfoPanel::fieldEdited, this, [this](int k, const QString& text) {
        UserInfo info = m_session.userInfo();
        std::array<std::string*, 5> fields = {&info.client, &info.operation, &info.location,
                                              &info.operatorName, &info.notes};
        *fields[static_cast<std::size_t>(k)] = stdstr(text);
        m_session.editUserInfo(info);
    });
    connect(m_samplePanel, &SampleInfoPanel::moreClicked, this, &MainWindow::moreClientInfo);
    connect(&m_session, &Session::panelsChanged, this, &MainWindow::updatePanels);
    connect(&m_session, &Session::rowsChanged, this, &MainWindow::formResize);
    connect(&m_session, &Session::eventPrintRequested, this,
            [this] { printDialog().call_non_fft_print(); });
    connect(&m_session, &Session::spectrumPrintRequested, this,
            [this](const report::PrintSpectrum& page) { printDialog().callFftPrint(page); });
    connect(&m_session, &Session::toolboxOpenChanged, this, [this](bool open) {
        m_actions.toolboxButton->setText(
            qtext(m_session.texts(), "krn", open ? "toolboxopen" : "toolbox"));
    });
    connect(&m_session, &Session::userInfoChanged, this, [this] { showUserInfo(); });
    connect(&m_session, &Session::languageChanged, this, [this] {
        applyCaptions();
        if (m_extraInfo) m_extraInfo->applyCaptions();
        if (m_extraGraph) m_extraGraph->applyCaptions();
        if (m_printDialog) m_printDialog->applyCaptions();
        m_eventsDock->applyCaptions();
        formResize();
    });
    connect(m_optionsDialog, &OptionsDialog::applied, this, &MainWindow::formResize);
}

void MainWindow::applyCaptions() {
    const auto& texts = m_session.texts();
    applyMainCaptions(m_actions, texts);
    m_samplePanel->applyCaptions(texts);
    m_startScreen->setTexts(qtext(texts, "krn", "welcome"), qtext(texts, "krn", "loading"),
                            qtext(texts, "krn", "welcomeHint"), qtext(texts, "krn", "recentFiles"));
    QApplication::setApplicationDisplayName(qtext(texts, "krn", "title"));
    updateTitle();
}

void MainWindow::updateTitle() {
    const QString title = qtext(m_session.texts(), "krn", "title");
    if (!m_session.hasEvent()) {
        setWindowTitle(title);
        return;
    }
    setWindowTitle(qstr(m_session.currentFile().filename().string()) + QStringLiteral(" - ") +
                   title);
    setWindowFilePath(qstr(m_session.currentFile().string()));
}

void MainWindow::updatePanels() {
    const PanelTexts& panels = m_session.panels();
    m_samplePanel->setLines(panels.sampleLabels, panels.sampleValues);
    m_samplePanel->setNotice(qstr(truncationNotice(m_session.event().sample, m_session.texts())));
    m_channelPanel->setTexts(panels.channelLabels, panels.channelValues);
}

void MainWindow::showUserInfo() {
    m_samplePanel->setUserInfo(m_session.userInfo(), m_session.event().sample.fileFormat);
}

void MainWindow::saveUserInfoClicked() {
    if (saveUserInfo(m_session, SaveUserInfo::Always))
        statusBar()->showMessage(qtext(m_session.texts(), "krn", "userInfoSaved"), 5000);
}

QImage MainWindow::clientAreaPicture() {
    return gui::clientAreaPicture(*this);
}

QImage MainWindow::zoomedWindowPicture() {
    return gui::zoomedWindowPicture(*this);
}

QImage MainWindow::stripPicture(int slot) {
    return m_graphArea->strip(slot).picture();
}

void MainWindow::setMainWindowTexts(bool processed) {
    m_session.setMainWindowTexts(processed);
}

void MainWindow::togglePanel() {
    m_scrollBar->setValue(0);
    formResize();
}

void MainWindow::showRefMenu(int slot, QPointF pos) {
    m_actions.mRef->popup(m_graphArea->strip(slot).mapToGlobal(pos.toPoint()));
}

void MainWindow::frqButtClicked() {
    const view::IntervalGap gap = view::intervalGap(m_session.hasEvent(), m_session.cursor());
    if (gap != view::IntervalGap::None) {
        platform::prompter().message(m_session.texts().text("frq", view::intervalGapKey(gap)));
        return;
    }
    spectrumWindow().openFromMainWindow();
}

void MainWindow::about() {
    const QString title = qtext(m_session.texts(), "krn", "title");
    QMessageBox::about(
        this, title,
        QStringLiteral("<b>%1</b> %2<p>Ground-vibration and air-overpressure events of "
                       "field seismographs.</p><p>Licence: GPL-3.0-or-later.</p>")
            .arg(title, QStringLiteral(KRNZ_VERSION_STRING)));
}

ExtraInfoDialog& MainWindow::extraInfoDialog() {
    if (!m_extraInfo) m_extraInfo = new ExtraInfoDialog(m_session.texts(), this);
    return *m_extraInfo;
}

ExtraGraphWindow& MainWindow::extraGraphWindow() {
    if (!m_extraGraph) m_extraGraph = new ExtraGraphWindow(m_session, this);
    return *m_extraGraph;
}

UserGuideWindow& MainWindow::userGuideWindow() {
    if (!m_userGuide) m_userGuide = new UserGuideWindow(m_session, this);
    return *m_userGuide;
}

SpectrumWindow& MainWindow::spectrumWindow() {
    if (!m_spectrumWindow) m_spectrumWindow = new SpectrumWindow(m_session, this);
    return *m_spectrumWindow;
}

PrintDialog& MainWindow::printDialog() {
    if (!m_printDialog) m_printDialog = new PrintDialog(m_session, this);
    return *m_printDialog;
}

ToolboxWindow& MainWindow::toolboxWindow() {
    if (!m_toolbox) m_toolbox = new ToolboxWindow(m_session, this);
    return *m_toolbox;
}

void MainWindow::moreClientInfo() {
    ExtraInfoDialog& dialog = extraInfoDialog();
    dialog.setTexts(m_session.userInfo(), m_session.event().sample.fileFormat);
    if (dialog.exec() != QDialog::Accepted) return;
    UserInfo info = m_session.userInfo();
    dialog.takeTexts(info);
    m_session.editUserInfo(info);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_closing) {
        m_closing = true;
        shutDown();
    }
    event->accept();
}

}  // namespace krnz::gui
