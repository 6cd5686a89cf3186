// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/main_actions.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "core/view/zoom_scroll.h"
#include "gui/view/texts.h"

namespace krnz::gui {
namespace {

QAction* item(QMenu* menu, const char* name, const char* caption, bool enabled = true) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QLatin1String(name));
    a->setEnabled(enabled);
    return a;
}

QAction* toggle(QMenu* menu, const char* name, const char* caption) {
    QAction* a = item(menu, name, caption);
    a->setCheckable(true);
    a->setChecked(true);
    return a;
}

QMenu* menu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* m = bar->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QLatin1String(name));
    return m;
}

QToolButton* button(QToolBar* bar, const char* name, const char* caption) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QLatin1String(name));
    b->setText(QString::fromUtf8(caption));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(b);
    return b;
}

void createMenus(MainActions& a, QMainWindow& window, bool debugMenu) {
    QMenuBar* bar = window.menuBar();
    a.mFile = menu(bar, "mFile", "&File");
    a.mOpen = item(a.mFile, "mOpen", "&Open");
    a.mOpen->setShortcut(QKeySequence::Open);
    a.mOpenFolder = item(a.mFile, "mOpenFolder", "Open &folder...");
    a.recentMenu = a.mFile->addMenu(QStringLiteral("Open &recent"));
    a.recentMenu->setObjectName(QStringLiteral("recentMenu"));
    a.mSaveUserinfo = item(a.mFile, "mSaveUserinfo", "Save &userinfo", false);
    a.mSavePicture = item(a.mFile, "mSavePicture", "&Save whole sample as picture");
    a.mSavePictureZoomed =
        item(a.mFile, "mSavePictureZoomed", "&Save zoomed part of sample as picture");
    a.mExport = item(a.mFile, "mExport", "&Export...", false);
    a.mFile->addSeparator();
    a.mPrint_old = item(a.mFile, "mPrint_old", "&Print...", false);
    a.mDumpToPrinter = item(a.mFile, "mDumpToPrinter", "&Dump window to printer");
    a.mFile->addSeparator();
    a.mExit = item(a.mFile, "mExit", "E&xit");
    // Spelled out: the platform's standard quit key is empty on some desktops.
    a.mExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    a.mView = menu(bar, "mView", "&View");
    a.mToolbar = toggle(a.mView, "mToolbar", "&Toolbar");
    a.mSampleInfo = toggle(a.mView, "mSampleInfo", "&Sample info");
    a.mChannelInfo = toggle(a.mView, "mChannelInfo", "&Channel info");
    a.mCursor = item(a.mView, "mCursor", "C&ursor", false);
    a.mCursor->setCheckable(true);
    a.mView->addSeparator();
    a.mOptions = item(a.mView, "mOptions", "&Options...");

    a.mRef = menu(bar, "mRef", "&Reference");
    a.mInsertRef = item(a.mRef, "mInsertRef", "&Insert ref. here", false);
    a.mRemoveRef = item(a.mRef, "mRemoveRef", "&Remove ref.", false);

    a.mextra = menu(bar, "mextra", "&Extra");
    a.mextra->setEnabled(false);
    a.mPlay = item(a.mextra, "mPlay", "Play");
    a.copy_to_clipboard = a.mextra->addMenu(QStringLiteral("Copy to clipboard"));
    a.copy_to_clipboard->setObjectName(QStringLiteral("copy_to_clipboard"));
    for (int c = 0; c < kSlots; ++c) {
        const QByteArray name = "ch" + QByteArray::number(c);
        a.ch[static_cast<std::size_t>(c)] =
            item(a.copy_to_clipboard, name.constData(), name.constData());
    }

    a.mHelp = menu(bar, "mHelp", "&Help");
    a.mGuide = item(a.mHelp, "mGuide", "User &guide");
    a.mGuide->setShortcut(QKeySequence::HelpContents);
    a.mAbout = item(a.mHelp, "mAbout", "&About");

    a.mPrint = bar->addAction(QStringLiteral("Print"));
    a.mPrint->setObjectName(QStringLiteral("mPrint"));
    a.mPrint->setShortcut(QKeySequence::Print);
    a.mPrint->setEnabled(false);

    a.debugmenu = menu(bar, "debugmenu", "debug");
    a.dbgmnu_print2ascii = item(a.debugmenu, "dbgmnu_print2ascii", "convert_to_ascii");
    a.dbgmnu_c2ascii = item(a.debugmenu, "dbgmnu_c2ascii", "read channel to ascii file");
    a.debugmenu->menuAction()->setVisible(debugMenu);
}

void createToolbar(MainActions& a, QWidget& parent) {
    a.toolbar = new QToolBar(&parent);
    a.toolbar->setObjectName(QStringLiteral("toolbar"));
    a.toolbar->setMovable(false);
    a.Print_butt = button(a.toolbar, "Print_butt", "Print");
    a.Print_butt->setEnabled(false);
    a.toolbar->addSeparator();
    a.frqButt = button(a.toolbar, "frqButt", "FRQ");
    a.toolboxButton = button(a.toolbar, "toolboxButton", "Toolbox");
    a.viewXgraphButton = button(a.toolbar, "viewXgraphButton", "PPV/ZX, sensortest");
    a.toolbar->addSeparator();
    a.zoomLabel = new QLabel(QStringLiteral("Zoom"), a.toolbar);
    a.zoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    a.zoomLabel->setContentsMargins(6, 0, 4, 0);
    a.toolbar->addWidget(a.zoomLabel);
    a.zoomfaktorCombo = new QComboBox(a.toolbar);
    a.zoomfaktorCombo->setObjectName(QStringLiteral("zoomfaktorCombo"));
    for (int zoom : view::kZoomFactors) a.zoomfaktorCombo->addItem(QString::number(zoom), zoom);
    a.toolbar->addWidget(a.zoomfaktorCombo);
    a.toolbar->addSeparator();
    a.deltaLabel = new QLabel(a.toolbar);
    a.deltaLabel->setObjectName(QStringLiteral("deltaLabel"));
    a.deltaLabel->setContentsMargins(8, 0, 8, 0);
    a.deltaAction = a.toolbar->addWidget(a.deltaLabel);
    a.deltaAction->setVisible(false);
}

// "&File" -> "File": a menu caption as plain button text.
QString plain(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

}  // namespace

MainActions createMainActions(QMainWindow& window, QWidget& toolbarParent, bool debugMenu) {
    MainActions a;
    createMenus(a, window, debugMenu);
    createToolbar(a, toolbarParent);
    return a;
}

void applyMainCaptions(MainActions& a, const TextLookup& texts) {
    auto t = [&texts](const char* key) { return qtext(texts, "krn", key); };
    a.mFile->setTitle(t("mFile"));
    a.mOpen->setText(t("mOpen"));
    a.mOpenFolder->setText(qtext(texts, "events", "mOpenFolder"));
    a.mSaveUserinfo->setText(t("mSaveUserinfo"));
    a.mSavePicture->setText(t("mSavePicture"));
    a.mSavePictureZoomed->setText(t("mSavePictureZoomed"));
    a.mExport->setText(t("mExport"));
    a.recentMenu->setTitle(t("mRecent"));
    a.mPrint_old->setText(t("mPrintOld"));
    a.mDumpToPrinter->setText(t("mDumpToPrinter"));
    a.mExit->setText(t("mExit"));
    a.mView->setTitle(t("mView"));
    a.mToolbar->setText(t("mToolbar"));
    a.mSampleInfo->setText(t("mSampleInfo"));
    a.mChannelInfo->setText(t("mChannelInfo"));
    a.mCursor->setText(t("mCursor"));
    a.mOptions->setText(t("mOptions"));
    a.mRef->setTitle(t("mRef"));
    // The strips take Insert and Delete themselves (they need the cursor's place); the menu
    // names the keys without making them shortcuts, which would take Delete from text fields.
    a.mInsertRef->setText(t("mInsertRef") + QStringLiteral("\tIns"));
    a.mRemoveRef->setText(t("mRemoveRef") + QStringLiteral("\tDel"));
    a.mextra->setTitle(t("mExtra"));
    a.mPlay->setText(t("mPlay"));
    a.copy_to_clipboard->setTitle(t("copy_to_clipboard"));
    for (int c = 0; c < kSlots; ++c)
        a.ch[static_cast<std::size_t>(c)]->setText(t("channel") + QLatin1Char(' ') +
                                                   QString::number(c + 1));
    a.mHelp->setTitle(t("mHelp"));
    a.mGuide->setText(t("mGuide"));
    a.mAbout->setText(t("mAbout"));
    a.mPrint->setText(t("mPrint"));
    a.Print_butt->setText(plain(t("mPrint")));
    a.frqButt->setText(t("frqbutton"));
    a.toolboxButton->setText(t("toolbox"));
    a.viewXgraphButton->setText(t("viewExtraGraph"));
    a.zoomLabel->setText(t("zoom"));
}

void enableEventActions(MainActions& a) {
    for (QAction* action : {a.mSaveUserinfo, a.mSavePicture, a.mSavePictureZoomed, a.mExport,
                            a.mCursor, a.mPrint, a.mPrint_old, a.mDumpToPrinter})
        action->setEnabled(true);
    a.mextra->setEnabled(true);
    a.Print_butt->setEnabled(true);
}

}  // namespace krnz::gui
