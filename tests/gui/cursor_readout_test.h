// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class CursorReadoutTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void readoutsAtKnownRows();
    void referenceInsertAndRemove();
    void keysMoveOneRowAndStopAtTheTop();
    void cursorAndReferenceKeepTheirTimesAcrossRedraws();
    void frequencyButtonNeedsBothLines();
};

}  // namespace krnz::test
