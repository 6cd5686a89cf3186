// SPDX-License-Identifier: GPL-3.0-or-later
#include "cursor_readout_test.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "core/settings/options.h"
#include "gui/spectrum/spectrum_window.h"
#include "gui/spectrum/spectrum_wizard.h"
#include "gui/view/cursor_controller.h"
#include "gui/view/graph_area.h"
#include "gui/view/scale_column.h"
#include "gui/view/strip_widget.h"
#include "gui_test_support.h"

namespace krnz::test {
namespace {

// The cursor test event in a graph area of exactly 1000 rows: 2 ms per row, row 125 is the
// trigger, rows 400 and 500 hold the pairs (-3, 3) and (-4, 3) x 254/32768 x 1000 mm/s.
class CursorSetup {
  public:
    CursorSetup() {
        QVERIFY(f.window().loadEvent(f.write("c.tremolog", cursorTestFile())));
        setGraphAreaHeight(f.window(), 1000);
        QCOMPARE(f.session().rows().rowCount, 1000);
    }
    gui::StripWidget& strip(int c = 0) { return f.window().graphArea().strip(c); }
    void click(int row, int c = 0) {
        QTest::mouseClick(&strip(c), Qt::LeftButton, {}, QPoint(5, row));
    }
    QString time() { return f.window().graphArea().scaleColumn().cursorLabel().text; }
    QLabel& delta() { return *f.window().actions().deltaLabel; }
    bool deltaShown() { return f.window().actions().deltaAction->isVisible(); }

    GuiFixture f;
};

}  // namespace

void CursorReadoutTest::readoutsAtKnownRows() {
    CursorSetup s;
    QVERIFY(!s.f.window().actions().mInsertRef->isEnabled());
    s.click(400);
    QVERIFY(s.f.window().actions().mCursor->isChecked());
    QVERIFY(s.f.window().actions().mInsertRef->isEnabled());
    QCOMPARE(s.time(), QStringLiteral("0.550 s"));
    // Ties go to the maximum: 3000 counts = 23.25 mm/s.
    QCOMPARE(s.strip(0).overlay().valueText, QStringLiteral("23.3 mm/s"));
    s.click(500);
    QCOMPARE(s.time(), QStringLiteral("0.750 s"));
    QCOMPARE(s.strip(0).overlay().valueText, QStringLiteral("-31 mm/s"));
    // Value line at -31.0 of full scale 40: x = w/2 - 0.3876 w/2.
    const double w = s.strip(0).width();
    QVERIFY(std::abs(s.strip(0).overlay().valueX - (w / 2 - 31.005859375 / 40 * w / 2)) < 1e-6);
    s.click(0);
    QCOMPARE(s.time(), QStringLiteral("-0.250 s"));
    QVERIFY(s.f.window().graphArea().scaleColumn().cursorLabelShown());
    // A slot without a sensor, shown again by the user: the time line but no value.
    QVERIFY(!s.strip(1).isVisible());
    s.f.session().setChannelOn(1, true);
    s.f.window().formResize();
    QVERIFY(s.strip(1).isVisible());
    QVERIFY(s.strip(1).overlay().cursorShown);
    QVERIFY(!s.strip(1).overlay().valueShown);
    QVERIFY(s.strip(2).overlay().valueShown);
    // Each value in its row's unit: the microphone's in pascal.
    QVERIFY2(s.strip(3).overlay().valueText.endsWith(QStringLiteral(" Pa")),
             qPrintable(s.strip(3).overlay().valueText));
}

void CursorReadoutTest::referenceInsertAndRemove() {
    CursorSetup s;
    QTest::keyClick(&s.strip(), Qt::Key_Insert);
    QVERIFY2(!s.f.session().cursor().refSet, "no cursor yet");
    s.click(375);
    s.strip().setFocus();
    QTest::keyClick(&s.strip(), Qt::Key_Insert);
    QVERIFY(s.f.session().cursor().refSet);
    QVERIFY(s.f.window().actions().mRemoveRef->isEnabled());
    QVERIFY(s.f.window().graphArea().scaleColumn().refLabelShown());
    QCOMPARE(s.time(), QStringLiteral("0 s"));
    QCOMPARE(s.delta().text(), QStringLiteral("1/delta = inf"));
    QVERIFY(s.deltaShown());

    const struct {
        int row;
        const char* time;
        const char* delta;
    } moves[] = {{425, "0.100", "1/delta = 10 [Hz]"},
                 {373, "-0.004", "1/delta = -250 [Hz]"},
                 {378, "0.006", "1/delta = 167 [Hz]"},
                 {375, "0.000", "1/delta = inf"}};
    for (const auto& m : moves) {
        s.click(m.row);
        QCOMPARE(s.time(), QLatin1String(m.time) + QStringLiteral(" s"));
        QCOMPARE(s.delta().text(), QLatin1String(m.delta));
    }
    s.click(425);
    s.f.window().actions().mRemoveRef->trigger();
    QVERIFY(!s.f.session().cursor().refSet);
    QVERIFY(!s.f.window().actions().mRemoveRef->isEnabled());
    QVERIFY(!s.deltaShown());
    QVERIFY(!s.f.window().graphArea().scaleColumn().refLabelShown());
    QCOMPARE(s.time(), QStringLiteral("0.600 s"));
    // The menu item inserts at the cursor as Insert does; keypad decimal point removes.
    s.f.window().actions().mInsertRef->trigger();
    QVERIFY(s.f.session().cursor().refSet);
    QTest::keyClick(&s.strip(), Qt::Key_Period, Qt::KeypadModifier);
    QVERIFY(!s.f.session().cursor().refSet);
    QTest::keyClick(&s.strip(), Qt::Key_0, Qt::KeypadModifier);
    QVERIFY(s.f.session().cursor().refSet);
}

void CursorReadoutTest::keysMoveOneRowAndStopAtTheTop() {
    CursorSetup s;
    s.click(1);
    s.strip().setFocus();
    QTest::keyClick(&s.strip(), Qt::Key_Down);
    QCOMPARE(s.time(), QStringLiteral("-0.246 s"));
    QTest::keyClick(&s.strip(), Qt::Key_Up);
    QTest::keyClick(&s.strip(), Qt::Key_Up);
    QCOMPARE(s.time(), QStringLiteral("-0.250 s"));
    QTest::keyClick(&s.strip(), Qt::Key_Up);  // above the top row: ignored
    QCOMPARE(s.time(), QStringLiteral("-0.250 s"));
    QCOMPARE(s.f.session().cursor().yTwips, 0.0);
}

void CursorReadoutTest::cursorAndReferenceKeepTheirTimesAcrossRedraws() {
    CursorSetup s;
    s.click(376);
    s.f.window().actions().mInsertRef->trigger();
    s.click(424);
    QCOMPARE(s.time(), QStringLiteral("0.096 s"));
    setGraphAreaHeight(s.f.window(), 500);
    QCOMPARE(s.f.session().rows().rowCount, 500);
    QCOMPARE(s.time(), QStringLiteral("0.096 s"));
    QCOMPARE(s.delta().text(), QStringLiteral("1/delta = 10.4 [Hz]"));
    QCOMPARE(s.strip().overlay().cursorY, 212.0);
    QCOMPARE(s.strip().overlay().refY, 188.0);
    // Hiding and showing the cursor puts it back where it was.
    s.f.window().actions().mCursor->trigger();
    QVERIFY(!s.strip().overlay().cursorShown);
    QVERIFY(!s.f.window().graphArea().scaleColumn().cursorLabelShown());
    s.f.window().actions().mCursor->trigger();
    QVERIFY(s.strip().overlay().cursorShown);
    QCOMPARE(s.time(), QStringLiteral("0.096 s"));
}

void CursorReadoutTest::frequencyButtonNeedsBothLines() {
    CursorSetup s;
    s.f.window().actions().frqButt->click();
    QCOMPARE(s.f.prompter().messages.back(), s.f.session().texts().text("frq", "noCursor"));
    s.click(300);
    s.f.window().actions().mInsertRef->trigger();
    s.click(400);
    s.f.window().actions().frqButt->click();
    QVERIFY(s.f.window().spectrumWindow().wizard().isVisible());
}

}  // namespace krnz::test
