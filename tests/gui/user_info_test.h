// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class UserInfoTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void krnTextsComeBackFromTheirUserinfoFile();
    void tremologFieldsAreCutAt30And200();
    void carryOverQuestions();
    void carryOverAnsweredNoLeavesFieldsEmpty();
    void extrasDoNotLeakIntoEventsWithoutTexts();
    void extraInformationDialog();
    void goneEventFileAsksBeforeStoring();
    void tremologFieldsStopAtTheirLength();
    void charactersWindows1252CannotHoldAreRefused();
    void carriedTextsFitTheNewEventsFields();
    void userinfoFileStaysWindows1252();
    void saveUserinfoConfirmsInTheStatusBar();
};

}  // namespace krnz::test
