// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class MainWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void startsWithTheWelcomePicture();
    void welcomePictureTellsWhatToDoAndOpensRecentFiles();
    void messageBoxesShowTheirSeverity();
    void aCutFileSaysSoInThePanel();
    void opensEachLayout();
    void eightChannelEventsOpenTheChosenGroup();
    void panelsShowTheEventsTexts();
    void failedOpensLeaveThePreviousEventWhole();
    void commandLinePathMayBeQuoted();
    void panelTogglesMoveTheGraphs();
    void minimumSizeHolds();
    void zoomFourScrollsByOneWindowHeight();
    void wheelScrollsAndCtrlWheelZooms();
    void recentFilesAndDropOpenEvents();
    void shutDownStoresSettings();
};

}  // namespace krnz::test
