// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class MediaActionsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void wholeSampleWritesOnePicturePerActiveStrip_data();
    void wholeSampleWritesOnePicturePerActiveStrip();
    void exportWritesTheShownChannelsInTheChosenFormat();
    void zoomedPictureStartsBelowTheToolbar_data();
    void zoomedPictureStartsBelowTheToolbar();
    void pictureFolderIsRemembered();
    void failedPictureWriteKeepsTheOldFile();
    void windowGoesToThePrinter();
    void clipboardHoldsTheCurrentSamples_data();
    void clipboardHoldsTheCurrentSamples();
    void playAsksForTheChannelAndHandsOverItsWav();
    void playChannelDialogOffersTheShownChannels();
    void silentChannelIsNotPlayed();
    void noSoundOutputSaysSo();
    void eventDumpHasOneLinePerSample();
    void failedEventDumpIsReported();
    void k100ChannelCheck_data();
    void k100ChannelCheck();
};

}  // namespace krnz::test
