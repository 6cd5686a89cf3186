// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

// Files the windows write when the disk or the folder will not take them: the old file stays
// whole and the failure is said, once where one cause fails every write (the settings).
class WriteFaultsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void aReadOnlySettingsFolderIsSaidOnce();
    void failedWritesKeepTheOldFile_data();
    void failedWritesKeepTheOldFile();
};

}  // namespace krnz::test
