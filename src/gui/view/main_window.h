// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <optional>

#include "core/view/main_layout.h"
#include "core/view/zoom_scroll.h"
#include "gui/event/event_opener.h"
#include "gui/media/window_pictures.h"
#include "gui/view/main_actions.h"
#include "platform/screen_metrics.h"

class QScrollBar;

namespace krnz::gui {

class ChannelInfoPanel;
class CursorController;
class EventsDock;
class ExtraGraphWindow;
class UserGuideWindow;
class ExtraInfoDialog;
class SpectrumWindow;
class GraphArea;
class MediaActions;
class OptionsDialog;
class PrintDialog;
class SampleInfoPanel;
class Session;
class StartScreen;
class ToolboxWindow;

// The main window (`krn`): menus, toolbar, the sample-info and channel-info panels, the
// time-scale column and the channel strips with their scroll bar. Other windows ask it to
// rewrite its panels (`setMainWindowTexts`) and to lay out and redraw (`formResize`).
class MainWindow : public QMainWindow, private OpenHooks, private WindowPictures {
    Q_OBJECT
  public:
    MainWindow(Session& session, bool debugMenu, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The layout pass: places every panel and strip for the window's size and, with an event,
    // scales, reduces and draws the strips and puts cursor and reference back.
    void formResize();
    // Rewrites both panels; processed: the shown samples went through the toolbox.
    void setMainWindowTexts(bool processed);

    // `loadEvent`: makes the file the current event (see event_opener.h); `group` chooses the
    // channel group of an eight-channel event without asking.
    bool loadEvent(const std::filesystem::path& path, std::optional<int> group = std::nullopt);
    // Shows the events dock listing `folder` ("Open folder...").
    void openFolder(const std::filesystem::path& folder);
    // The command line's event: one pair of enclosing double quotes removed; opened when it
    // names an existing file.
    bool openFromCommandLine(const QString& argument);

    // The zoom box's choice: 1, 2, 4, 8 or 16.
    void selectZoom(int zoom);
    void applyCaptions();

    // The channel-group chooser; tests replace the modal dialog.
    void setChannelGroupChooser(std::function<std::optional<int>()> chooser);

    Session& session() { return m_session; }
    MainActions& actions() { return m_actions; }
    CursorController& cursorController() { return *m_cursor; }
    GraphArea& graphArea() { return *m_graphArea; }
    SampleInfoPanel& sampleInfoPanel() { return *m_samplePanel; }
    ChannelInfoPanel& channelInfoPanel() { return *m_channelPanel; }
    StartScreen& startScreen() { return *m_startScreen; }
    QScrollBar& scrollBar() { return *m_scrollBar; }
    OptionsDialog& optionsDialog() { return *m_optionsDialog; }
    ExtraInfoDialog& extraInfoDialog();
    // The PPV/ZX diagram window and the print dialog, made on first use and kept.
    ExtraGraphWindow& extraGraphWindow();
    UserGuideWindow& userGuideWindow();
    PrintDialog& printDialog();
    // The spectrum window, made on first use and kept.
    SpectrumWindow& spectrumWindow();
    // Pictures, printing the window, sound, clipboard and the debug dumps.
    MediaActions& media() { return *m_media; }
    // The operator toolbox, made on first use and kept.
    ToolboxWindow& toolboxWindow();
    // The dockable list of a folder's events, hidden until used.
    EventsDock& eventsDock() { return *m_eventsDock; }
    const view::MainLayout& lastLayout() const { return m_layout; }
    const view::ZoomState& zoom() const { return m_zoom; }
    const platform::ScreenMetrics& metrics() const { return m_metrics; }
    QSize minimumWindowSize() const;

    // The more... button: the extra-information dialog, modal.
    void moreClientInfo();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // OpenHooks
    std::optional<int> chooseChannelGroup() override;
    void showLoadingScreen() override;
    void hideLoadingScreen() override;
    void eventOpened() override;
    // WindowPictures
    QImage clientAreaPicture() override;
    QImage zoomedWindowPicture() override;
    QImage stripPicture(int slot) override;
    double twipsPerPixel() const override { return m_metrics.twipsPerPixel; }

    void createCentral();
    void connectActions();
    void mOpen_Click();
    void mOpenFolder_Click();
    void createEventsDock();
    // The dock shown: it lists the current event's folder when it lists none yet.
    void eventsDockShown(bool shown);
    // After the dock's rows are read: wide enough for its columns.
    void fitEventsDock();
    void shutDown();
    void updateTitle();
    void updateRecentMenu();
    // A recent file from the menu or the start picture.
    void openRecent(const QString& path);
    void updatePanels();
    // The session's user texts into the panel's fields, under the current event's rules.
    void showUserInfo();
    // "Save userinfo" from the menu: stores the texts and says so in the status bar.
    void saveUserInfoClicked();
    void togglePanel();
    void scrolled(int value);
    void showRefMenu(int slot, QPointF pos);
    void frqButtClicked();
    void about();
    void updateMetrics();

    Session& m_session;
    MainActions m_actions;
    QWidget* m_central = nullptr;
    SampleInfoPanel* m_samplePanel = nullptr;
    ChannelInfoPanel* m_channelPanel = nullptr;
    GraphArea* m_graphArea = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    StartScreen* m_startScreen = nullptr;
    OptionsDialog* m_optionsDialog = nullptr;
    ExtraInfoDialog* m_extraInfo = nullptr;
    ExtraGraphWindow* m_extraGraph = nullptr;
    UserGuideWindow* m_userGuide = nullptr;
    PrintDialog* m_printDialog = nullptr;
    SpectrumWindow* m_spectrumWindow = nullptr;
    MediaActions* m_media = nullptr;
    ToolboxWindow* m_toolbox = nullptr;
    EventsDock* m_eventsDock = nullptr;
    CursorController* m_cursor = nullptr;
    std::function<std::optional<int>()> m_chooseGroup;

    view::ZoomState m_zoom;
    view::MainLayout m_layout;
    QSize m_laidOutSize;  // the client area's size at the last layout pass
    platform::ScreenMetrics m_metrics;
    bool m_busy = false;
    bool m_closing = false;
    bool m_watchingScreen = false;
    bool m_fitEventsDock = false;
};

}  // namespace krnz::gui
