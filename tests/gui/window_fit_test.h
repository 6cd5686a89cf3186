// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

// Windows and dialogs as a new user meets them: on the screen, with whole titles and captions.
class WindowFitTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void windowsOpenWhollyOnTheScreen();
    void aStoredPlaceThatFitsIsKept();
    void spectrumWindowFirstOpensWithWholeGraphHeadings();
    void toolboxDialogsCancelAndShowTheirTitlesWhole();
    void scaleListShowsItsLongestEntryWhole();
    void openDialogNamesEachPatternOnce();
};

}  // namespace krnz::test
