// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class ReportWindowsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void diagramWindowReadsStandardsAndPlotsVelocityChannels();
    void diagramWindowFollowsANewEventOncePerChange();
    void verdictTableFollowsTheStandardList();
    void fewerPeaksAndUncheckedChannelsDropMarkers();
    void markerTooltipsNameAmplitudeAndFrequency();
    void okStoresStandardAndPlace();
    void oversizedWindowTakesTheWorkArea();
    void logOfZeroLabelIsReported();
    void printDialogCopiesAndGuardsTheChannels();
    void printDialogEnablesItsOptionsAsTheyAreClicked();
    void cancelledPrinterDialogKeepsTheDialogOpen();
    void printAndSaveAsPdfWriteThePage();
    void previewComposesOnePage();
};

}  // namespace krnz::test
