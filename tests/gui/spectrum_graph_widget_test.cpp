// SPDX-License-Identifier: GPL-3.0-or-later
#include "spectrum_graph_widget_test.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>

#include "core/common/error.h"
#include "gui/spectrum/pixel_index_table.h"
#include "gui/spectrum/spectrum_graph_widget.h"

namespace krnz::test {
namespace {

using gui::SpectrumGraphWidget;

// A plot of exactly 100 x 100 pixels.
constexpr int kPlot = 100;

// y = x for x = 0..10 on a 0..10 square: point i lands in column 10 i, row 99 - 10 i.
spectrum::GraphSetup diagonal() {
    spectrum::GraphSetup g;
    g.left = 0;
    g.right = 10;
    g.bottom = 0;
    g.top = 10;
    for (int i = 0; i <= 10; ++i) {
        g.x.push_back(i);
        g.y.push_back(i);
    }
    g.xLabels = {0, 2, 4, 6, 8, 10};
    g.yLabels = g.xLabels;
    g.maxAmpFreq = 10;
    return g;
}

class ShownGraph {
  public:
    explicit ShownGraph(spectrum::GraphSetup setup) {
        w.resize(300, 250);
        w.yUnit(QStringLiteral("mm/s   RMS"));
        w.setMaxampatText(QStringLiteral("Max. amplitude at"));
        w.setGraph(std::move(setup));
        w.show();
        w.invalidate();
        // The texts take what room they need; the plot has the rest, pixel for pixel.
        w.resize(w.size() + QSize(kPlot, kPlot) - w.plotRect().size());
        w.invalidate();
    }
    QImage picture() { return w.grab().toImage(); }
    void press(int column, int row) {
        QTest::mousePress(&w, Qt::LeftButton, {}, w.plotRect().topLeft() + QPoint(column, row));
    }
    void drag(int column, int row) {
        QMouseEvent move(QEvent::MouseMove, QPointF(w.plotRect().topLeft() + QPoint(column, row)),
                         w.mapToGlobal(QPointF(w.plotRect().topLeft() + QPoint(column, row))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &move);
    }

    SpectrumGraphWidget w;
};

}  // namespace

void SpectrumGraphWidgetTest::crossHairReadsThePointOfTheColumn_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<int>("row");
    QTest::newRow("on a point") << 50 << "x:5"
                                << "y:5" << 49;
    QTest::newRow("first column") << 0 << "x:0"
                                  << "y:0" << 99;
    QTest::newRow("halfway takes the left point") << 55 << "x:5"
                                                  << "y:5" << 49;
    QTest::newRow("nearer the right point") << 56 << "x:6"
                                            << "y:6" << 39;
    // x = 10 maps to column 100, just outside: the last column reads the point at 90.
    QTest::newRow("last column") << 99 << "x:9"
                                 << "y:9" << 9;
}

void SpectrumGraphWidgetTest::crossHairReadsThePointOfTheColumn() {
    QFETCH(int, column);
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(int, row);
    ShownGraph g(diagonal());
    QCOMPARE(g.w.plotRect().size(), QSize(kPlot, kPlot));
    QVERIFY(!g.w.crossHairShown());
    g.press(column, 20);
    QVERIFY(g.w.crossHairShown());
    QCOMPARE(g.w.xReadout(), x);
    QCOMPARE(g.w.yReadout(), y);
    QCOMPARE(g.w.crossHair(), QPoint(column, row));
}

void SpectrumGraphWidgetTest::dragOutsideThePlotKeepsTheCrossHair() {
    ShownGraph g(diagonal());
    g.press(30, 10);
    g.drag(70, 10);
    QCOMPARE(g.w.xReadout(), QStringLiteral("x:7"));
    for (const QPoint outside :
         {QPoint(-1, 10), QPoint(kPlot, 10), QPoint(40, -1), QPoint(40, kPlot)}) {
        g.drag(outside.x(), outside.y());
        QCOMPARE(g.w.crossHair(), QPoint(70, 29));
        QCOMPARE(g.w.xReadout(), QStringLiteral("x:7"));
    }
    // New data: the cross-hair stays in its column and reads the new curve there.
    spectrum::GraphSetup twice = diagonal();
    for (double& v : twice.y) v /= 2;
    g.w.setGraph(twice);
    g.w.invalidate();
    QCOMPARE(g.w.yReadout(), QStringLiteral("y:3.5"));
}

void SpectrumGraphWidgetTest::logAxesReadOutInUnitsAndHeadingInHz() {
    spectrum::GraphSetup g;
    g.left = 0;  // 1 Hz .. 100 Hz
    g.right = 2;
    g.bottom = -1;  // 0.1 .. 10
    g.top = 1;
    g.x = {0, 1, 2};
    g.y = {-1, 0.5, 1};
    g.xIsLog = g.yIsLog = true;
    g.xLabels = {0.1, 1, 10, 100, 1000};
    g.yLabels = g.xLabels;
    g.ch = 2;
    g.maxAmpFreq = 100;
    ShownGraph shown(g);
    QCOMPARE(shown.w.heading(), QStringLiteral("mm/s   RMS    3    Max. amplitude at 100.0 Hz"));
    shown.press(50, 5);
    QCOMPARE(shown.w.xReadout(), QStringLiteral("x:10"));
    QCOMPARE(shown.w.yReadout(), QStringLiteral("y:3.16"));
    shown.press(0, 5);
    QCOMPARE(shown.w.xReadout(), QStringLiteral("x:1"));
    QCOMPARE(shown.w.yReadout(), QStringLiteral("y:0.1"));
}

void SpectrumGraphWidgetTest::pixelIndexTable_data() {
    QTest::addColumn<QList<double>>("x");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("no points") << QList<double>{} << 4 << QList<int>{-1, -1, -1, -1};
    QTest::newRow("one per column") << QList<double>{0, 1, 2, 3} << 4 << QList<int>{0, 1, 2, 3};
    QTest::newRow("last drawn wins")
        << QList<double>{0, 0.4, 0.6, 1, 1.4} << 4 << QList<int>{1, 4, 4, 4};
    QTest::newRow("gaps take the nearest")
        << QList<double>{0, 3} << 6 << QList<int>{0, 0, 1, 1, 1, 1};
    QTest::newRow("halves round to even")
        << QList<double>{0.5, 1.5, 2.5} << 4 << QList<int>{0, 0, 2, 2};
    QTest::newRow("all outside") << QList<double>{-1, 4, 10} << 4 << QList<int>{-1, -1, -1, -1};
    QTest::newRow("zero width") << QList<double>{0, 1} << 0 << QList<int>{};
}

void SpectrumGraphWidgetTest::pixelIndexTable() {
    QFETCH(QList<double>, x);
    QFETCH(int, width);
    QFETCH(QList<int>, expected);
    // One axis unit per column.
    spectrum::GraphMapping map;
    map.left = 0;
    map.right = std::max(width, 1);
    map.width = width;
    map.height = 10;
    const std::vector<double> xs(x.begin(), x.end());
    const std::vector<std::int32_t> table = gui::pixelIndexTable(xs, map);
    QCOMPARE(QList<int>(table.begin(), table.end()), expected);
}

void SpectrumGraphWidgetTest::tooSmallControlKeepsTenByTenPlot() {
    ShownGraph g(diagonal());
    g.w.resize(30, 20);
    g.w.invalidate();
    QCOMPARE(g.w.plotRect().size(),
             QSize(SpectrumGraphWidget::kMinPlotSize, SpectrumGraphWidget::kMinPlotSize));
    QCOMPARE(g.w.pixelIndexTable().size(), std::size_t{10});
}

void SpectrumGraphWidgetTest::mismatchedArraysAreRefused() {
    ShownGraph g(diagonal());
    spectrum::GraphSetup bad = diagonal();
    bad.y.pop_back();
    try {
        g.w.setGraph(bad);
        QFAIL("mismatched arrays accepted");
    } catch (const Error& e) {
        QCOMPARE(e.number(), 4711);
    }
    // The graph shown before stays.
    QCOMPARE(g.w.graph().y.size(), std::size_t{11});
}

namespace {

bool dark(const QColor& c) {
    return c.lightness() < 128;
}

// Pixels of a column or row of the plot that are not white.
int inked(const QImage& image, QPoint from, QPoint step, int count) {
    int n = 0;
    for (int k = 0; k < count; ++k)
        if (image.pixelColor(from + k * step) != QColor(Qt::white)) ++n;
    return n;
}

}  // namespace

void SpectrumGraphWidgetTest::curveAndGridArePainted() {
    ShownGraph g(diagonal());
    const QImage image = g.picture();
    const QPoint origin = g.w.plotRect().topLeft();
    auto at = [&](int column, int row) { return image.pixelColor(origin + QPoint(column, row)); };
    QVERIFY(dark(at(50, 49)));                // the curve through point 5
    QVERIFY(dark(at(15, 84)));                // the curve between points 1 and 2
    QCOMPARE(at(15, 10), QColor(Qt::white));  // open plot
    QCOMPARE(at(65, 70), QColor(Qt::white));
    // Dashed grid lines at x = 2 and y = 4; the columns and rows beside them cross only the
    // other grid lines and the curve.
    QVERIFY(inked(image, origin + QPoint(20, 1), {0, 1}, 70) > 20);
    QVERIFY(inked(image, origin + QPoint(25, 1), {0, 1}, 70) < 10);
    QVERIFY(inked(image, origin + QPoint(1, 59), {1, 0}, 30) > 8);
    QVERIFY(inked(image, origin + QPoint(1, 55), {1, 0}, 30) < 5);
    // The heading above the plot, the tick texts left of and below it, all inside the control.
    const QRect plot = g.w.plotRect();
    QVERIFY(inked(image, {plot.left(), plot.top() / 2}, {1, 0}, plot.width()) > 0);
    int below = 0;
    for (int row = plot.bottom() + 3; row < g.w.height(); ++row)
        below += inked(image, {plot.left() + 30, row}, {1, 0}, 50);
    QVERIFY(below > 0);
    QVERIFY(plot.bottom() + 8 < g.w.height());
}

// The suppressed line at DC on a logarithmic axis: 0 has no logarithm and lies on the bottom
// edge, where the cross-hair finds it; its stand-in logarithm 0 would put it at 1 unit.
void SpectrumGraphWidgetTest::logAxisDrawsZeroOnTheBottomEdge() {
    spectrum::GraphSetup g;
    g.left = 0;
    g.right = 2;
    g.bottom = -1;  // 0.1 .. 10
    g.top = 1;
    g.x = {0, 0.2, 1, 2};
    g.y = {0, -1, 0.5, 1};  // 0, 0.1, 3.16, 10
    g.yAtMostZero = {true, false, false, false};
    g.xIsLog = g.yIsLog = true;
    g.xLabels = {0.1, 1, 10, 100, 1000};
    g.yLabels = g.xLabels;
    ShownGraph shown(g);
    const QImage image = shown.picture();
    const QPoint origin = shown.w.plotRect().topLeft();
    auto at = [&](int column, int row) { return image.pixelColor(origin + QPoint(column, row)); };
    QVERIFY(dark(at(5, 99)));
    QCOMPARE(at(5, 74), QColor(Qt::white));  // on the way down from 1 unit
    shown.press(2, 30);
    QCOMPARE(shown.w.crossHair(), QPoint(2, 99));
    QCOMPARE(shown.w.yReadout(), QStringLiteral("y:0"));
}

}  // namespace krnz::test
