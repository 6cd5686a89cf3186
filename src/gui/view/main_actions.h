// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "core/event/event.h"
#include "core/settings/text_lookup.h"

class QAction;
class QComboBox;
class QLabel;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;
class QWidget;

namespace krnz::gui {

// The main window's menus and toolbar, named as the rest of the program knows them.
struct MainActions {
    QMenu* mFile = nullptr;
    QAction* mOpen = nullptr;
    QAction* mOpenFolder = nullptr;
    QMenu* recentMenu = nullptr;
    QAction* mSaveUserinfo = nullptr;
    QAction* mSavePicture = nullptr;
    QAction* mSavePictureZoomed = nullptr;
    QAction* mExport = nullptr;
    QAction* mPrint_old = nullptr;
    QAction* mDumpToPrinter = nullptr;
    QAction* mExit = nullptr;

    QMenu* mView = nullptr;
    QAction* mToolbar = nullptr;
    QAction* mSampleInfo = nullptr;
    QAction* mChannelInfo = nullptr;
    QAction* mCursor = nullptr;
    QAction* mEventsList = nullptr;  // the events dock's own toggle, added by the main window
    QAction* mOptions = nullptr;

    QMenu* mRef = nullptr;  // also the pop-up menu of a right click in a strip
    QAction* mInsertRef = nullptr;
    QAction* mRemoveRef = nullptr;

    QMenu* mextra = nullptr;
    QAction* mPlay = nullptr;
    QMenu* copy_to_clipboard = nullptr;
    std::array<QAction*, kSlots> ch{};

    QMenu* mHelp = nullptr;
    QAction* mGuide = nullptr;
    QAction* mAbout = nullptr;
    QAction* mPrint = nullptr;  // a top-level item of the menu bar

    QMenu* debugmenu = nullptr;
    QAction* dbgmnu_print2ascii = nullptr;
    QAction* dbgmnu_c2ascii = nullptr;

    QToolBar* toolbar = nullptr;
    QToolButton* Print_butt = nullptr;
    QToolButton* frqButt = nullptr;
    QToolButton* toolboxButton = nullptr;
    QToolButton* viewXgraphButton = nullptr;
    QLabel* zoomLabel = nullptr;
    QComboBox* zoomfaktorCombo = nullptr;
    QLabel* deltaLabel = nullptr;
    QAction* deltaAction = nullptr;  // shows and hides deltaLabel in the toolbar
};

// Builds the menu bar of `window` and the toolbar (a child of `toolbarParent`) in their
// initial state: event-dependent items disabled, the debug menu only when asked for.
MainActions createMainActions(QMainWindow& window, QWidget& toolbarParent, bool debugMenu);

// Menu and button captions from the language section "krn".
void applyMainCaptions(MainActions& actions, const TextLookup& texts);

// Opening an event enables what works on it, for the rest of the run.
void enableEventActions(MainActions& actions);

}  // namespace krnz::gui
