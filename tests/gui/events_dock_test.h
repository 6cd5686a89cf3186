// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class EventsDockTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void openFolderShowsTheDockAndTheViewMenuTogglesIt();
    void sortsNumbersAsNumbers();
    void filterKeepsRowsWithEveryWord();
    void activatingARowOpensItsEvent();
    void anEventOpenedElsewhereMovesTheList();
    void anUnreadableFileShowsItsMessage();
    void exceedingEventsAreMarked();
    void aFileAddedWhileShownAppears();
    void exportWritesTheShownRows();
};

}  // namespace krnz::test
