// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class SpectrumWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void frqButtonNeedsCursorAndReference();
    void nextOpensTheWindowWithTheCursorInterval();
    void logAxesTakeEffectAtRepaint();
    void impossibleRunKeepsThePreviousGraphs_data();
    void impossibleRunKeepsThePreviousGraphs();
    void repaintNamesWhatIsMissing();
    void failureWhileFollowingIsShownInTheWindow();
    void followsTheEventAndTheCursorOncePerChange();
    void slotWithoutSensorShowsNoGraph();
    void crossHairFollowsTheMouseWithUnits();
    void choicesAndPlacePersistInSectionFft();
    void oversizedStoredWindowTakesTheWorkArea();
    void wizardClampsStoredChoices_data();
    void wizardClampsStoredChoices();
    void wizardBackKeepsItsChecks();
    void printHandsTheShownGraphsToThePrintDialog();
    void saveButtonsWritePicturesIntoTheChosenFolder();
    void picturesTakeTheChosenFormatWithoutTheButton();
};

}  // namespace krnz::test
