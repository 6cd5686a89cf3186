// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class UserGuideTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void helpMenuOpensTheGuideOfTheLanguage();
    void shortcutTableNamesEveryKey();
};

}  // namespace krnz::test
