// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fit_test.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <fstream>
#include <functional>

#include "gui/report/extra_graph_window.h"
#include "gui/report/preview_window.h"
#include "gui/report/print_dialog.h"
#include "gui/settings/options_dialog.h"
#include "gui/spectrum/spectrum_graph_widget.h"
#include "gui/spectrum/spectrum_window.h"
#include "gui/spectrum/spectrum_wizard.h"
#include "gui/toolbox/frequency_selector.h"
#include "gui/toolbox/resultant_selection.h"
#include "gui/toolbox/toolbox_window.h"
#include "gui/view/texts.h"
#include "gui_test_support.h"

namespace krnz::test {
namespace {

QString describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

std::int32_t twips(GuiFixture& f, int pixels) {
    return static_cast<std::int32_t>(std::lround(pixels * f.window().metrics().twipsPerPixel));
}

void writeExtraGraphIni(GuiFixture& f, int leftPx, int topPx, int widthPx, int heightPx) {
    std::ofstream(f.dir() / "extraGraph.ini")
        << "[general]\nsizeLeft=" << twips(f, leftPx) << "\nsizeTop=" << twips(f, topPx)
        << "\nsizeWidth=" << twips(f, widthPx) << "\nsizeHeight=" << twips(f, heightPx) << "\n";
}

QWidget& openSpectrumWindow(GuiFixture& f) {
    f.window().actions().frqButt->click();
    f.window().spectrumWindow().wizard().findChild<QPushButton*>("next")->click();
    return f.window().spectrumWindow();
}

enum class Close { Cancel, Escape };

// Closes a dialog by its Cancel button or by Esc; one without a Cancel button is rejected and
// counted.
int missingCancel = 0;
void closeBy(QDialog& d, Close how) {
    if (how == Close::Escape) {
        QTest::keyClick(&d, Qt::Key_Escape);
        return;
    }
    if (auto* cancel = d.findChild<QPushButton*>(QStringLiteral("cancel"))) {
        cancel->click();
    } else {
        ++missingCancel;
        d.reject();
    }
}

// Runs `act` on the modal dialog once its exec() has started; a dialog that is not of the type
// expected is closed, so that the test fails instead of waiting.
template <typename Dialog>
void whenShown(std::function<void(Dialog&)> act, bool& found) {
    found = false;
    QTimer::singleShot(0, [act, &found] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            found = true;
            act(*dialog);
        } else if (modal) {
            modal->close();
        }
    });
}

}  // namespace

void WindowFitTest::windowsOpenWhollyOnTheScreen() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        const char* what;
        // Stores what it needs, opens the window and hands it back.
        std::function<QWidget&(GuiFixture&)> open;
    };
    const Case cases[] = {
        {"print preview, a page taller than the screen",
         [](GuiFixture& f) -> QWidget& {
             gui::PrintDialog& d = f.window().printDialog();
             d.prepareEventPrint();
             auto* preview = new gui::PreviewWindow(d);
             preview->setAttribute(Qt::WA_DeleteOnClose);
             preview->show();
             return *preview;
         }},
        {"diagram window stored above the screen's top",
         [](GuiFixture& f) -> QWidget& {
             writeExtraGraphIni(f, 50, -200, 500, 400);
             f.window().actions().viewXgraphButton->click();
             return f.window().extraGraphWindow();
         }},
        {"diagram window stored past the bottom right corner",
         [area](GuiFixture& f) -> QWidget& {
             writeExtraGraphIni(f, area.width() - 100, area.height() - 50, 500, 400);
             f.window().actions().viewXgraphButton->click();
             return f.window().extraGraphWindow();
         }},
        {"toolbox",
         [](GuiFixture& f) -> QWidget& {
             f.window().actions().toolboxButton->click();
             return f.window().toolboxWindow();
         }},
        {"spectrum window stored past the right edge and above the top",
         [area](GuiFixture& f) -> QWidget& {
             settings::FftSettings stored = f.session().general().fft;
             stored.fftsizeLeft = twips(f, area.width() - 200);
             stored.fftsizeTop = twips(f, -40);
             stored.fftsizeWidth = twips(f, 600);
             stored.fftsizeHeight = twips(f, area.height() + 300);
             f.session().setFftSettings(stored);
             return openSpectrumWindow(f);
         }},
    };
    for (const Case& c : cases) {
        GuiFixture f;
        QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
        QWidget& w = c.open(f);
        QApplication::processEvents();
        QVERIFY2(w.isVisible(), c.what);
        const QRect frame = w.frameGeometry();
        QVERIFY2(area.contains(frame),
                 qPrintable(QStringLiteral("%1: frame %2 outside %3")
                                .arg(QLatin1String(c.what), describe(frame), describe(area))));
        w.close();
    }
}

void WindowFitTest::aStoredPlaceThatFitsIsKept() {
    GuiFixture f;
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    writeExtraGraphIni(f, 30, 20, 500, 400);
    f.window().actions().viewXgraphButton->click();
    gui::ExtraGraphWindow& w = f.window().extraGraphWindow();
    QApplication::processEvents();
    QCOMPARE(w.pos(), area.topLeft() + QPoint(30, 20));
    // The stored size holds unless the diagram and its verdict table need more.
    QCOMPARE(w.size(), QSize(500, 400).expandedTo(w.minimumSizeHint()));
    QVERIFY(area.contains(w.frameGeometry()));
}

void WindowFitTest::spectrumWindowFirstOpensWithWholeGraphHeadings() {
    GuiFixture f;
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    QWidget& w = openSpectrumWindow(f);
    QApplication::processEvents();
    // Nothing stored: as large as the main window at its first start, four fifths of the work
    // area, not the 600 x 400 pixels of the settings' defaults.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(std::abs(w.height() - area.height() * 4 / 5) <= 1, qPrintable(describe(w.geometry())));
    QVERIFY2(std::abs(w.width() - area.width() * 4 / 5) <= 1, qPrintable(describe(w.geometry())));
    const QList<gui::SpectrumGraphWidget*> graphs = w.findChildren<gui::SpectrumGraphWidget*>();
    QCOMPARE(graphs.size(), kSlots);
    for (const gui::SpectrumGraphWidget* graph : graphs) {
        QFont bold = graph->font();
        bold.setBold(true);
        // The heading shares its line with the picture button at the graph's right.
        const int need = QFontMetrics(bold).horizontalAdvance(graph->heading()) + 40;
        QVERIFY2(graph->width() >= need, qPrintable(QStringLiteral("%1: %2 px of %3")
                                                        .arg(graph->heading())
                                                        .arg(graph->width())
                                                        .arg(need)));
    }
}

void WindowFitTest::toolboxDialogsCancelAndShowTheirTitlesWhole() {
    GuiFixture f;
    const TextLookup& texts = f.session().texts();
    missingCancel = 0;
    for (const Close how : {Close::Cancel, Close::Escape}) {
        // Text typed into the box before cancelling is not handed on.
        bool found = false;
        int titleRoom = 0;
        whenShown<gui::FrequencySelector>(
            [how, &titleRoom](gui::FrequencySelector& d) {
                titleRoom = d.width() - d.fontMetrics().horizontalAdvance(d.windowTitle());
                d.setFrequencyText(QStringLiteral("120"));
                closeBy(d, how);
            },
            found);
        QCOMPARE(gui::FrequencySelector::ask(texts, QStringLiteral("80"), &f.window()),
                 std::nullopt);
        QVERIFY(found);
        // The window manager's icon and buttons take about 100 pixels beside the title.
        QVERIFY2(titleRoom >= 100, qPrintable(QString::number(titleRoom)));

        whenShown<gui::ResultantSelection>(
            [how, &titleRoom](gui::ResultantSelection& d) {
                titleRoom = d.width() - d.fontMetrics().horizontalAdvance(d.windowTitle());
                d.inCh(0).setChecked(true);
                d.inCh(1).setChecked(true);
                closeBy(d, how);
            },
            found);
        QVERIFY(!gui::ResultantSelection::ask(texts, &f.window()));
        QVERIFY(found);
        QVERIFY2(titleRoom >= 100, qPrintable(QString::number(titleRoom)));
    }
    QCOMPARE(missingCancel, 0);
    // OK still hands the choice on.
    bool found = false;
    whenShown<gui::FrequencySelector>(
        [](gui::FrequencySelector& d) {
            d.setFrequencyText(QStringLiteral("120"));
            d.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        },
        found);
    QCOMPARE(gui::FrequencySelector::ask(texts, QStringLiteral("80"), &f.window()),
             std::optional(120));
    QVERIFY(f.prompter().messages.empty());
}

void WindowFitTest::scaleListShowsItsLongestEntryWhole() {
    GuiFixture f;
    gui::OptionsDialog& d = f.window().optionsDialog();
    d.show();
    QApplication::processEvents();
    for (int c = 0; c < kSlots; ++c) {
        auto* combo = d.findChild<QComboBox*>(QStringLiteral("manualScale%1").arg(c));
        QVERIFY(combo);
        // The list that drops down: its entries beside its scroll bar.
        combo->showPopup();
        QApplication::processEvents();
        QAbstractItemView* list = combo->view();
        QVERIFY2(list->viewport()->width() >= list->sizeHintForColumn(0),
                 qPrintable(QStringLiteral("%1 px of %2")
                                .arg(list->viewport()->width())
                                .arg(list->sizeHintForColumn(0))));
        combo->hidePopup();
    }
}

void WindowFitTest::openDialogNamesEachPatternOnce() {
    GuiFixture f;
    QStringList filters;
    bool found = false;
    whenShown<QFileDialog>(
        [&filters](QFileDialog& d) {
            filters = d.nameFilters();
            d.reject();
        },
        found);
    f.window().actions().mOpen->trigger();
    QVERIFY(found);
    QCOMPARE(filters.size(), 3);
    for (const QString& filter : filters) {
        // The patterns in brackets at the end are those the dialog matches by.
        const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
        QVERIFY2(open > 0 && filter.endsWith(QLatin1Char(')')), qPrintable(filter));
        const QStringList patterns =
            filter.mid(open + 1, filter.size() - open - 2).split(QLatin1Char(' '));
        for (const QString& pattern : patterns)
            QVERIFY2(filter.count(pattern) == 1, qPrintable(filter));
    }
}

}  // namespace krnz::test
