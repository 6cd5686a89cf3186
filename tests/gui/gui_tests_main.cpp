// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTest>

#include "cursor_readout_test.h"
#include "events_dock_test.h"
#include "main_window_test.h"
#include "media_actions_test.h"
#include "options_dialog_test.h"
#include "report_windows_test.h"
#include "spectrum_graph_widget_test.h"
#include "spectrum_window_test.h"
#include "strip_painter_test.h"
#include "toolbox_window_test.h"
#include "user_guide_test.h"
#include "user_info_test.h"
#include "window_fit_test.h"
#include "write_faults_test.h"

namespace {

template <typename Test>
int runOne(int argc, char** argv) {
    Test test;
    return QTest::qExec(&test, argc, argv);
}

// Runs each test class in turn, in the order given; the number of those that failed.
template <typename... Tests>
int runInTurn(int argc, char** argv) {
    int failed = 0;
    ((failed += runOne<Tests>(argc, argv)), ...);
    return failed;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    using namespace krnz::test;
    const int failed =
        runInTurn<StripPainterTest, MainWindowTest, CursorReadoutTest, OptionsDialogTest,
                  UserInfoTest, ReportWindowsTest, ToolboxWindowTest, SpectrumGraphWidgetTest,
                  SpectrumWindowTest, MediaActionsTest, EventsDockTest, WindowFitTest,
                  WriteFaultsTest, UserGuideTest>(argc, argv);
    return failed == 0 ? 0 : 1;
}
