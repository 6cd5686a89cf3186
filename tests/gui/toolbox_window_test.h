// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class ToolboxWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void isAToolWindowOfTheMainWindow();
    void newEntryGoesAfterTheSelectionOrAtTheEnd();
    void buttonsAddToTheRowWhoseListWasUsed();
    void filterAndResultantButtonsAddNothingWhenCancelled();
    void deleteTakesOneEntryOrTheWholeResultantGroup_data();
    void deleteTakesOneEntryOrTheWholeResultantGroup();
    void showPutsTheCoreChainResultOnTheMainWindow();
    void showTakesTheChosenSourceChannel();
    void closingRestoresTheEventAsLoaded();
    void anEventOpenedMeanwhileIsTheOneShowStartsFrom();
    void lastRowBoxCannotBeUnchecked();
    void doubleClickEditsFilterFrequenciesOnly();
    void macroSaveNeedsAPlainName_data();
    void macroSaveNeedsAPlainName();
    void clickedMacroReplacesTheLists();
    void savingOverAMacroAsksFirst_data();
    void savingOverAMacroAsksFirst();
    void frequencyDialogTakesWholeHertzAsTyped_data();
    void frequencyDialogTakesWholeHertzAsTyped();
    void resultantDialogNeedsTwoOrThreeChannels_data();
    void resultantDialogNeedsTwoOrThreeChannels();
};

}  // namespace krnz::test
