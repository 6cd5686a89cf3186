// SPDX-License-Identifier: GPL-3.0-or-later
#include "strip_painter_test.h"

#include <QTest>

#include "gui/view/strip_drawing.h"
#include "gui/view/strip_painter.h"
#include "support/event_builder.h"

namespace krnz::test {

using gui::StripPicture;

namespace {

const QColor kBack(255, 255, 200);
const QColor kTrace(0, 0, 255);
const QColor kGrid(128, 128, 128);

// 100 samples: 0 everywhere except a step to +F at sample 50 (row 5 of 10).
view::RowData stepRows(double fullScale) {
    std::vector<float> x(100, 0.0f);
    for (int i = 50; i < 100; ++i)
        x[static_cast<std::size_t>(i)] = static_cast<float>(fullScale / 2);
    const Event e = makeEvent({x});
    view::RowData rows;
    view::reduceToRows(rows, e.sample, 10);
    return rows;
}

StripPicture picture(const view::RowData& rows, settings::DrawStyle style) {
    StripPicture p;
    p.rows = &rows;
    p.fullScale = 8;
    p.background = kBack;
    p.sample = kTrace;
    p.grid = kGrid;
    p.drawStyle = style;
    return p;
}

}  // namespace

void StripPainterTest::linesJoinRowsInTheSampleColour() {
    const view::RowData rows = stepRows(8);
    const QImage image =
        gui::renderStrip(picture(rows, settings::DrawStyle::Lines), QSize(81, 10), 1.0);
    // Width 81: centre round(40.5) = 40; half scale (4) is 20 pixels right of it.
    QCOMPARE(image.pixelColor(40, 2), kTrace);
    QCOMPARE(image.pixelColor(60, 7), kTrace);
    // The join from row 4's maximum (0) to row 5's minimum (+4) crosses column 50.
    QVERIFY(image.pixelColor(50, 4) == kTrace || image.pixelColor(50, 5) == kTrace);
    QCOMPARE(image.pixelColor(50, 2), kBack);
}

void StripPainterTest::pixelsStyleDrawsDotsOnly() {
    const view::RowData rows = stepRows(8);
    const QImage image =
        gui::renderStrip(picture(rows, settings::DrawStyle::Pixels), QSize(81, 10), 1.0);
    QCOMPARE(image.pixelColor(40, 2), kTrace);
    QCOMPARE(image.pixelColor(60, 7), kTrace);
    QCOMPARE(image.pixelColor(50, 4), kBack);  // no connecting line
    QCOMPARE(image.pixelColor(50, 5), kBack);
}

void StripPainterTest::gridAndBordersInTheGridColour() {
    const view::RowData rows = stepRows(8);
    StripPicture p = picture(rows, settings::DrawStyle::Lines);
    p.gridRows = {3.4};  // rounded to row 3
    const QImage image = gui::renderStrip(p, QSize(81, 10), 1.0);
    QCOMPARE(image.pixelColor(0, 9), kGrid);   // left border, solid
    QCOMPARE(image.pixelColor(80, 8), kGrid);  // right border, solid
    int column = 0;                            // amplitude line 1 at (81 - 1) / 8, dotted
    for (int y = 0; y < 10; ++y) column += image.pixelColor(10, y) == kGrid ? 1 : 0;
    QVERIFY(column >= 2 && column < 10);
    int dotted = 0;
    for (int x = 1; x < 39; ++x) dotted += image.pixelColor(x, 3) == kGrid ? 1 : 0;
    QVERIFY2(dotted > 8 && dotted < 38, "the time-grid line is dotted");
}

void StripPainterTest::hiDpiStripsAreDrawnInDevicePixels() {
    std::vector<float> x(4000, 0.0f);
    x[3999] = 1.0f;
    Workspace workspace(builtinEnglish());
    LoadedEvent loaded;
    loaded.event = makeEvent({x, x, x, x});
    workspace.takeEvent(std::move(loaded), "strips-test.tremolog");
    gui::StripSizes sizes;
    sizes.widths = {200, 200, 0, 200};
    sizes.height = 1000;
    sizes.devicePixelRatio = 2;
    settings::Options options = workspace.options();
    options.slotOptions[2].channelOn = settings::CheckState::Unchecked;
    workspace.setOptions(options);
    workspace.layoutRows(sizes.height);
    const gui::DrawnStrips drawn = gui::drawStrips(workspace, sizes, 1);
    QCOMPARE(workspace.rows().rowCount, 1000);
    QCOMPARE(drawn.images[0].size(), QSize(200, 1000));
    QCOMPARE(drawn.images[0].devicePixelRatio(), 2.0);
    QCOMPARE(drawn.images[0].deviceIndependentSize(), QSizeF(100, 500));
    QVERIFY(drawn.images[2].isNull());
    QCOMPARE(drawn.gridStepS, 0.4);  // 4 s record at zoom 1
    // The peak of 1 chose the full scale 1 (normalised across the three shown slots).
    QCOMPARE(workspace.options().slotOptions[0].manualScale, std::size_t{7});
}

}  // namespace krnz::test
