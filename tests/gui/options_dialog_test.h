// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class OptionsDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void applyStoresWhatTheControlsHold();
    void cancelReadsTheFileBackAsFarAsItSelects();
    void lastShownChannelStaysShown();
    void languageSwitchRecaptionsOpenWindowsAtOnce();
    void languagesAreListedByTheirOwnNames();
    void noMenuCaptionStaysEnglishInSwedish();
    void slotFramesNameTheChannelGroup();
    void cancelReturnsTheLanguageOfTheOpening();
    void storedPixelStyleComesBack();
};

}  // namespace krnz::test
