// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTest>

#include "cursor_readout_test.h"
#include "fft_graph_widget_test.h"
#include "fft_window_test.h"
#include "main_window_test.h"
#include "media_actions_test.h"
#include "options_dialog_test.h"
#include "report_windows_test.h"
#include "strip_painter_test.h"
#include "toolbox_window_test.h"
#include "user_info_test.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    {
        krnz::test::StripPainterTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        krnz::test::MainWindowTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        krnz::test::CursorReadoutTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        krnz::test::OptionsDialogTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        krnz::test::UserInfoTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        krnz::test::ReportWindowsTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        krnz::test::ToolboxWindowTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        krnz::test::FftGraphWidgetTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        krnz::test::FftWindowTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        krnz::test::MediaActionsTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
