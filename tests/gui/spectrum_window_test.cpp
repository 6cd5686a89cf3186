// SPDX-License-Identifier: GPL-3.0-or-later
#include "spectrum_window_test.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <fstream>

#include "core/report/recording_page_target.h"
#include "core/settings/general_settings.h"
#include "core/spectrum/fft_graphs.h"
#include "gui/report/print_dialog.h"
#include "gui/spectrum/spectrum_graph_widget.h"
#include "gui/spectrum/spectrum_picture.h"
#include "gui/spectrum/spectrum_window.h"
#include "gui/spectrum/spectrum_wizard.h"
#include "gui/view/graph_area.h"
#include "gui/view/strip_widget.h"
#include "gui_test_support.h"

namespace krnz::test {
namespace {

namespace fs = std::filesystem;

template <typename T>
T* control(QWidget& w, const QString& name) {
    T* c = w.findChild<T*>(name);
    if (!c) qFatal("no control %s", qPrintable(name));
    return c;
}

// The cursor test event at 1000 rows (2 samples per row), reference and cursor set by clicks.
class SpectrumSetup {
  public:
    SpectrumSetup() {
        QVERIFY(f.window().loadEvent(f.write("c.tremolog", cursorTestFile())));
        setGraphAreaHeight(f.window(), 1000);
    }
    void click(int row) {
        QTest::mouseClick(&f.window().graphArea().strip(0), Qt::LeftButton, {}, QPoint(5, row));
    }
    // Reference at refRow, cursor at cursorRow.
    void setCursors(int refRow, int cursorRow) {
        click(refRow);
        f.window().actions().mInsertRef->trigger();
        click(cursorRow);
    }
    gui::SpectrumWizard& wizard() { return f.window().spectrumWindow().wizard(); }
    gui::SpectrumWindow& window() { return f.window().spectrumWindow(); }
    // The spectrum button, then the wizard's next.
    void open() {
        f.window().actions().frqButt->click();
        control<QPushButton>(wizard(), "next")->click();
        QApplication::processEvents();
    }
    void repaint() { control<QPushButton>(window(), "boll")->click(); }
    const settings::FftSettings& stored() { return f.session().general().fft; }
    // The settings as if read at the start.
    template <typename Edit>
    void store(Edit edit) {
        settings::FftSettings fft = stored();
        edit(fft);
        f.session().setFftSettings(fft);
    }
    QRect workArea() { return window().screen()->availableGeometry(); }

    GuiFixture f;
};

// The core's graphs for the same samples and choices: what the window must show.
spectrum::SpectrumResult expected(SpectrumSetup& s, spectrum::Segment segment,
                                  spectrum::SpectrumParams p) {
    for (std::size_t c = 0; c < kSlots; ++c) p.normalize[c] = true;
    return spectrum::repaintSpectra(s.f.session().event(), segment, p);
}

// The mouse over a widget with no button held, as the window system reports it.
void hover(QWidget& widget, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget.mapToGlobal(pos)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

}  // namespace

// The button names what is missing, the cursor before the reference.
void SpectrumWindowTest::frqButtonNeedsCursorAndReference() {
    SpectrumSetup s;
    const std::string noCursor = s.f.session().texts().text("frq", "noCursor");
    const std::string noReference = s.f.session().texts().text("frq", "noReference");
    QVERIFY(noCursor != noReference);
    s.f.window().actions().frqButt->click();
    QCOMPARE(s.f.prompter().messages.back(), noCursor);
    s.click(300);  // the cursor alone is not enough
    s.f.window().actions().frqButt->click();
    QCOMPARE(s.f.prompter().messages.size(), std::size_t{2});
    QCOMPARE(s.f.prompter().messages.back(), noReference);
    s.f.window().actions().mInsertRef->trigger();
    s.click(400);
    s.f.window().actions().frqButt->click();
    QCOMPARE(s.f.prompter().messages.size(), std::size_t{2});
    QVERIFY(s.wizard().isVisible());
    QVERIFY(!s.window().isVisible());
    // With the window shown the button brings it forward instead of asking again.
    control<QPushButton>(s.wizard(), "next")->click();
    QVERIFY(s.window().isVisible());
    QVERIFY(!s.wizard().isVisible());
    s.f.window().actions().frqButt->click();
    QVERIFY(!s.wizard().isVisible());
    QCOMPARE(s.f.prompter().messages.size(), std::size_t{2});
}

// Repaint without an interval says which end is missing, as the FRQ button does.
void SpectrumWindowTest::repaintNamesWhatIsMissing() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.open();
    const std::size_t before = s.f.prompter().messages.size();
    s.f.window().actions().mRemoveRef->trigger();
    QVERIFY(!s.window().repaintSpectra());
    QCOMPARE(s.f.prompter().messages.size(), before + 1);
    QCOMPARE(s.f.prompter().messages.back(), s.f.session().texts().text("frq", "noReference"));
    s.f.window().actions().mCursor->trigger();  // hides the cursor
    QVERIFY(!s.f.session().cursor().shown);
    s.repaint();
    QCOMPARE(s.f.prompter().messages.size(), before + 2);
    QCOMPARE(s.f.prompter().messages.back(), s.f.session().texts().text("frq", "noCursor"));
    // In Swedish too, from the language file.
    QVERIFY(s.f.session().setLanguage("svenska.txt"));
    s.repaint();
    QCOMPARE(s.f.prompter().messages.back(), s.f.session().texts().text("frq", "noCursor"));
    QVERIFY(s.f.prompter().messages.back().starts_with("Sätt markören"));
}

void SpectrumWindowTest::nextOpensTheWindowWithTheCursorInterval() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.open();
    gui::SpectrumWindow& w = s.window();
    QVERIFY(w.isLoaded());
    QVERIFY(w.hasSpectra());
    // Rows 300..450 of 2 samples: samples 600..899, the spikes at 800 and 801 inside.
    QCOMPARE(w.tStart(), 0.6);
    QCOMPARE(w.tEnd(), 0.899);
    QCOMPARE(w.heading(), QStringLiteral("FFT Rectangular"));
    const spectrum::SpectrumResult core = expected(s, {600, 899}, {});
    for (int g : {0, 2, 3})  // slot 1 has no sensor
        QCOMPARE(w.graph(g).graph().y, core.graphs[static_cast<std::size_t>(g)].y);
    QVERIFY(w.graph(0).graph().maxAmpFreq > 0);
    QVERIFY(
        w.graph(0).heading().startsWith(QStringLiteral("mm/s   RMS    1    Max. amplitude at ")));
    // A maximum frequency is one graph's, and waits for the repaint.
    control<QComboBox>(w, "maxFrq2")->setCurrentText(QStringLiteral("20"));
    QCOMPARE(w.graph(2).graph().right, 500.0);
    s.repaint();
    QCOMPARE(w.graph(2).graph().right, 20.0);
    QCOMPARE(w.graph(0).graph().right, 500.0);
    // The interval in the other order is the same interval.
    s.f.window().actions().mRemoveRef->trigger();
    s.setCursors(450, 300);
    s.repaint();
    QCOMPARE(w.tStart(), 0.6);
    QCOMPARE(w.tEnd(), 0.899);
}

void SpectrumWindowTest::logAxesTakeEffectAtRepaint() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.open();
    gui::SpectrumWindow& w = s.window();
    gui::SpectrumGraphWidget& graph = w.graph(0);
    const double peakHz = graph.graph().maxAmpFreq;
    QVERIFY(!graph.graph().xIsLog);
    QCOMPARE(graph.mapping().px(100.0), std::round(100.0 * graph.plotRect().width() / 500.0));

    control<QCheckBox>(w, "logx")->setChecked(true);
    control<QCheckBox>(w, "logy")->setChecked(true);
    QVERIFY(!graph.graph().xIsLog);  // not before the repaint
    s.repaint();
    QVERIFY(graph.graph().xIsLog);
    QVERIFY(graph.graph().yIsLog);
    QCOMPARE(graph.graph().right, std::log10(500.0));
    QCOMPARE(graph.graph().top - graph.graph().bottom, 2.0);
    const int width = graph.plotRect().width();
    QCOMPARE(graph.mapping().px(2.0), std::nearbyint(2.0 * width / std::log10(500.0)));
    // The heading still names the peak in Hz, not its logarithm.
    QCOMPARE(graph.graph().maxAmpFreq, peakHz);
    QVERIFY(graph.heading().endsWith(QString::number(peakHz, 'f', 1) + QStringLiteral(" Hz")));

    control<QCheckBox>(w, "logx")->setChecked(false);
    s.repaint();
    QVERIFY(!graph.graph().xIsLog);
    QCOMPARE(graph.graph().right, 500.0);
}

void SpectrumWindowTest::impossibleRunKeepsThePreviousGraphs_data() {
    QTest::addColumn<int>("windowType");
    QTest::addColumn<double>("refRow");
    QTest::addColumn<double>("cursorRow");
    QTest::addColumn<QString>("message");
    // Rows 500..501: samples 1000..1001, too few for the GEO taper.
    QTest::newRow("GEO on 2 samples") << 1 << 500.0 << 501.0 << "Error 11: ";
    QTest::newRow("interval past the record") << 0 << 3000.0 << 3100.0 << "Error 9: ";
}

void SpectrumWindowTest::impossibleRunKeepsThePreviousGraphs() {
    QFETCH(int, windowType);
    QFETCH(double, refRow);
    QFETCH(double, cursorRow);
    QFETCH(QString, message);
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.open();
    gui::SpectrumWindow& w = s.window();
    const std::vector<double> before = w.graph(0).graph().y;
    const QString heading = w.graph(0).heading();
    const std::size_t messages = s.f.prompter().messages.size();

    w.setWindowType(windowType);
    const double tpp = s.f.window().metrics().twipsPerDevicePixel();
    view::CursorState cursor = s.f.session().cursor();
    cursor.refYTwips = refRow * tpp;
    cursor.yTwips = cursorRow * tpp;
    s.f.session().setCursor(cursor);
    s.repaint();
    QCOMPARE(s.f.prompter().messages.size(), messages + 1);
    QVERIFY2(s.f.prompter().messages.back().starts_with(message.toStdString()),
             s.f.prompter().messages.back().c_str());
    QVERIFY(w.isVisible());
    QCOMPARE(w.graph(0).graph().y, before);
    QCOMPARE(w.graph(0).heading(), heading);
    QCOMPARE(w.tStart(), 0.6);
    QCOMPARE(w.printSpectrum().graphs[0].y, before);
}

// Following is not asked for: a run that cannot be done empties the window with its reason and
// shows no message box; Repaint asks, so it is answered with one.
void SpectrumWindowTest::failureWhileFollowingIsShownInTheWindow() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.store([](settings::FftSettings& fft) { fft.fftwindow = 1; });  // GEO
    s.open();
    QVERIFY(s.window().hasSpectra());
    const std::size_t messages = s.f.prompter().messages.size();
    const double tpp = s.f.window().metrics().twipsPerDevicePixel();
    view::CursorState cursor = s.f.session().cursor();
    cursor.refYTwips = 500 * tpp;  // two samples: too few for the GEO taper
    cursor.yTwips = 501 * tpp;
    s.f.session().setCursor(cursor);
    QApplication::processEvents();
    QCOMPARE(s.f.prompter().messages.size(), messages);
    QVERIFY2(s.window().notice().startsWith(QStringLiteral("Error 11: ")),
             qPrintable(s.window().notice()));
    QVERIFY(!s.window().hasSpectra());
    QVERIFY(!control<QPushButton>(s.window(), "print")->isEnabled());
    // Coming to the front again with nothing changed: still no box.
    s.window().hide();
    s.window().show();
    QApplication::processEvents();
    QCOMPARE(s.f.prompter().messages.size(), messages);
    s.repaint();
    QCOMPARE(s.f.prompter().messages.size(), messages + 1);
    QVERIFY(s.f.prompter().messages.back().starts_with("Error 11: "));
}

// The window follows the session while shown: a new event, the reference removed and set
// again, each recompute it exactly once, and activating it computes nothing.
void SpectrumWindowTest::followsTheEventAndTheCursorOncePerChange() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    gui::SpectrumWindow& w = s.window();
    const int atStart = w.computations();
    s.open();
    QCOMPARE(w.computations(), atStart + 1);  // the showing, not its activation too
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(&w, &activation);
    w.activateWindow();
    QApplication::processEvents();
    QCOMPARE(w.computations(), atStart + 1);
    const std::vector<double> first = w.graph(0).graph().y;

    // Another event starts without cursor and reference: the window empties at once and says
    // what is missing, with no cross-hair or channel numbers of the last event left.
    hover(w.graph(0), w.graph(0).plotRect().center());
    QVERIFY(w.graph(0).crossHairShown());
    QVERIFY(s.f.window().loadEvent(s.f.write("other.tremolog", tremologFile())));
    QApplication::processEvents();
    QCOMPARE(w.computations(), atStart + 1);  // nothing to compute
    QCOMPARE(w.notice(), QString::fromStdString(s.f.session().texts().text("frq", "noCursor")));
    QVERIFY(!w.hasSpectra());
    for (int g = 0; g < kSlots; ++g) {
        QVERIFY(!w.graph(g).hasData());
        QVERIFY(!w.graph(g).crossHairShown());
        QVERIFY(w.graph(g).isHidden());
    }
    QVERIFY(!control<QPushButton>(w, "print")->isEnabled());

    // The cursor alone: now the reference is missing.
    s.click(300);
    QApplication::processEvents();
    QCOMPARE(w.notice(), QString::fromStdString(s.f.session().texts().text("frq", "noReference")));
    QCOMPARE(w.computations(), atStart + 1);

    // Both set on the new event: its spectra, computed once for the change.
    s.f.window().actions().mInsertRef->trigger();
    s.click(450);
    QApplication::processEvents();
    QCOMPARE(w.computations(), atStart + 2);
    QVERIFY(w.hasSpectra());
    QVERIFY(w.notice().isEmpty());
    QVERIFY(w.graph(0).isVisible());
    const double dt = s.f.session().event().sample.sampleInterval;
    const spectrum::Segment segment{static_cast<std::int32_t>(std::lround(w.tStart() / dt)),
                                    static_cast<std::int32_t>(std::lround(w.tEnd() / dt))};
    QCOMPARE(w.graph(0).graph().y, expected(s, segment, {}).graphs[0].y);
    QVERIFY(w.graph(0).graph().y != first);

    // The chain undone (the toolbox closed) is a change too: one run.
    s.f.session().unloadChain();
    QApplication::processEvents();
    QCOMPARE(w.computations(), atStart + 3);

    // Closed, it follows nothing.
    w.close();
    s.click(600);
    QApplication::processEvents();
    QCOMPARE(w.computations(), atStart + 3);
}

// Slot 1 of the test event has no sensor: no "undef" graph, a word instead.
void SpectrumWindowTest::slotWithoutSensorShowsNoGraph() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.open();
    gui::SpectrumWindow& w = s.window();
    QVERIFY(s.f.session().event().sample.channelOff[1]);
    QVERIFY(!w.graph(1).hasData());
    QVERIFY(w.graph(1).plotRect().isEmpty());  // no axes, no "undef RMS" heading
    QVERIFY(!w.graph(0).plotRect().isEmpty());
    QCOMPARE(w.graph(1).emptyText(),
             QString::fromStdString(s.f.session().texts().text("frq", "noSensor")));
    for (int g : {0, 2, 3}) {
        QVERIFY(w.graph(g).hasData());
        QVERIFY(w.graph(g).emptyText().isEmpty());
    }
    // No cross-hair on the empty graph.
    gui::SpectrumGraphWidget& empty = w.graph(1);
    hover(empty, QPoint(empty.width() / 2, empty.height() / 2));
    QVERIFY(!empty.crossHairShown());
}

// The cross-hair reads the curve wherever the mouse is, no button needed, with units on
// screen; the plain readouts the printed page takes stay as they were.
void SpectrumWindowTest::crossHairFollowsTheMouseWithUnits() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.open();
    gui::SpectrumGraphWidget& graph = s.window().graph(0);
    QVERIFY(!graph.crossHairShown());
    const QPoint plot = graph.plotRect().topLeft();
    hover(graph, plot + QPoint(graph.plotRect().width() / 5, 20));
    QVERIFY(graph.crossHairShown());
    const int firstColumn = graph.crossHair().x();
    QCOMPARE(firstColumn, graph.plotRect().width() / 5);
    QVERIFY2(graph.xReadoutShown().endsWith(QStringLiteral(" Hz")),
             qPrintable(graph.xReadoutShown()));
    QVERIFY2(graph.yReadoutShown().endsWith(QStringLiteral(" mm/s RMS")),
             qPrintable(graph.yReadoutShown()));
    // The same numbers as the plain readouts, "x:" and "y:" aside.
    QCOMPARE(graph.xReadoutShown().section(QLatin1Char(' '), 0, 0), graph.xReadout().mid(2));
    QCOMPARE(graph.yReadoutShown().section(QLatin1Char(' '), 0, 0), graph.yReadout().mid(2));
    QVERIFY(graph.xReadout().startsWith(QStringLiteral("x:")));
    // It moves with the mouse.
    hover(graph, plot + QPoint(graph.plotRect().width() / 2, 20));
    QCOMPARE(graph.crossHair().x(), graph.plotRect().width() / 2);
    // Paper keeps the plain readouts.
    if (graph.crossHairLinesShown())
        QCOMPARE(s.window().printSpectrum().xReadouts[0], graph.xReadout().toStdString());
}

void SpectrumWindowTest::choicesAndPlacePersistInSectionFft() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.f.window().actions().frqButt->click();
    control<QRadioButton>(s.wizard(), "weight2")->setChecked(true);
    control<QRadioButton>(s.wizard(), "filter1")->setChecked(true);
    control<QPushButton>(s.wizard(), "next")->click();
    gui::SpectrumWindow& w = s.window();
    QCOMPARE(w.heading(), QStringLiteral("PSD Hanning"));
    QVERIFY(w.graph(2).heading().startsWith(QStringLiteral("(mm/s)^2 / Hz    3")));
    const QRect area = s.workArea();
    w.resize(700, 500);
    w.move(area.left() + 40, area.top() + 30);
    QApplication::processEvents();
    const double tpp = s.f.window().metrics().twipsPerPixel;
    w.close();
    QVERIFY(!w.isLoaded());
    settings::FftSettings want;
    want.fftsizeLeft = static_cast<std::int32_t>(std::lround(40 * tpp));
    want.fftsizeTop = static_cast<std::int32_t>(std::lround(30 * tpp));
    want.fftsizeWidth = static_cast<std::int32_t>(std::lround(700 * tpp));
    want.fftsizeHeight = static_cast<std::int32_t>(std::lround(500 * tpp));
    want.fftwindow = 2;
    want.fftspectra = 1;
    QCOMPARE(s.stored(), want);

    // Reopened through the wizard: the same place, size and choices.
    s.f.window().actions().frqButt->click();
    QVERIFY(control<QRadioButton>(s.wizard(), "weight2")->isChecked());
    control<QPushButton>(s.wizard(), "next")->click();
    QCOMPARE(w.size(), QSize(700, 500));
    QCOMPARE(w.pos(), area.topLeft() + QPoint(40, 30));
    QCOMPARE(w.heading(), QStringLiteral("PSD Hanning"));

    // Ending the program closes the window and writes section "fft" with the rest.
    w.resize(640, 480);
    s.f.window().close();
    const settings::GeneralSettings file =
        settings::readGeneralSettings(s.f.session().paths().generalIniPath(), s.f.dir());
    want.fftsizeWidth = static_cast<std::int32_t>(std::lround(640 * tpp));
    want.fftsizeHeight = static_cast<std::int32_t>(std::lround(480 * tpp));
    QCOMPARE(file.fft, want);
}

void SpectrumWindowTest::oversizedStoredWindowTakesTheWorkArea() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    const double tpp = s.f.window().metrics().twipsPerPixel;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    s.store([&](settings::FftSettings& fft) {
        fft.fftsizeLeft = 3000;
        fft.fftsizeWidth = static_cast<std::int32_t>((area.width() + 100) * tpp);
        fft.fftsizeTop = 150;
        fft.fftsizeHeight = 4500;
    });
    s.open();
    gui::SpectrumWindow& w = s.window();
    // Too wide: the frame, borders included, takes the work area's width.
    QCOMPARE(w.frameGeometry().left(), area.left());
    QCOMPARE(w.frameGeometry().width(), area.width());
    QCOMPARE(w.y(), area.top() + static_cast<int>(150 / tpp));
    QCOMPARE(w.height(), static_cast<int>(4500 / tpp));
}

void SpectrumWindowTest::wizardClampsStoredChoices_data() {
    QTest::addColumn<int>("storedWindow");
    QTest::addColumn<int>("storedSpectrum");
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("spectrum");
    QTest::newRow("in range") << 1 << 2 << 1 << 2;
    QTest::newRow("one past") << 3 << 0 << 2 << 0;
    QTest::newRow("hand-edited") << 200 << 7 << 2 << 2;
}

void SpectrumWindowTest::wizardClampsStoredChoices() {
    QFETCH(int, storedWindow);
    QFETCH(int, storedSpectrum);
    QFETCH(int, window);
    QFETCH(int, spectrum);
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.store([&](settings::FftSettings& fft) {
        fft.fftwindow = static_cast<std::uint8_t>(storedWindow);
        fft.fftspectra = static_cast<std::uint8_t>(storedSpectrum);
    });
    s.f.window().actions().frqButt->click();
    for (int i = 0; i < gui::SpectrumWizard::kChoices; ++i) {
        QCOMPARE(control<QRadioButton>(s.wizard(), QStringLiteral("weight%1").arg(i))->isChecked(),
                 i == window);
        QCOMPARE(control<QRadioButton>(s.wizard(), QStringLiteral("filter%1").arg(i))->isChecked(),
                 i == spectrum);
    }
    // Written back only by next.
    QCOMPARE(int(s.stored().fftwindow), storedWindow);
    QCOMPARE(int(s.stored().fftspectra), storedSpectrum);
    control<QPushButton>(s.wizard(), "next")->click();
    QCOMPARE(int(s.stored().fftwindow), window);
    QCOMPARE(int(s.stored().fftspectra), spectrum);
    QCOMPARE(s.window().windowType(), window);
}

void SpectrumWindowTest::wizardBackKeepsItsChecks() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.f.window().actions().frqButt->click();
    control<QRadioButton>(s.wizard(), "weight1")->setChecked(true);
    control<QRadioButton>(s.wizard(), "filter2")->setChecked(true);
    control<QPushButton>(s.wizard(), "back")->click();
    QVERIFY(!s.wizard().isVisible());
    QVERIFY(!s.window().isVisible());
    QCOMPARE(int(s.stored().fftwindow), 0);
    s.f.window().actions().frqButt->click();
    QVERIFY(control<QRadioButton>(s.wizard(), "weight1")->isChecked());
    QVERIFY(control<QRadioButton>(s.wizard(), "filter2")->isChecked());
    // The window's back: the wizard again, and the window closed with its choices stored.
    control<QPushButton>(s.wizard(), "next")->click();
    QCOMPARE(s.window().heading(), QStringLiteral("ESD GEO / Tukey cosine taper"));
    control<QPushButton>(s.window(), "back")->click();
    QVERIFY(!s.window().isVisible());
    QVERIFY(!s.window().isLoaded());
    QVERIFY(s.wizard().isVisible());
    QCOMPARE(int(s.stored().fftwindow), 1);
    QCOMPARE(int(s.stored().fftspectra), 2);
}

void SpectrumWindowTest::printHandsTheShownGraphsToThePrintDialog() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.open();
    gui::PrintDialog& dialog = s.f.window().printDialog();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = modal == &dialog;
            modal->reject();
        }
    });
    control<QPushButton>(s.window(), "print")->click();
    QVERIFY(shown);
    QVERIFY(dialog.spectrumPrint());
    report::RecordingPageTarget page;
    QVERIFY(dialog.compose(page, page.margins()));
    QVERIFY(page.findText("FFT Rectangular") != nullptr);
    QVERIFY(page.findText("0.600s - 0.899s") != nullptr);
    QVERIFY(page.findText("mm/s   RMS    1    Max. amplitude at") != nullptr);
    QVERIFY(page.findText("x:") == nullptr);  // no cross-hair, no readouts

    // The cross-hair of graph 4 goes onto the page with it, and only there.
    gui::SpectrumGraphWidget& graph = s.window().graph(3);
    const QPoint plot = graph.plotRect().topLeft();
    QTest::mousePress(&graph, Qt::LeftButton, {}, plot + QPoint(graph.plotRect().width() / 5, 5));
    QVERIFY(graph.crossHairLinesShown());
    const std::string readouts = (graph.xReadout() + "   " + graph.yReadout()).toStdString();
    QTimer::singleShot(0, [&] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            control<QCheckBox>(*modal, "fft_all")->setChecked(true);
            modal->reject();
        }
    });
    control<QPushButton>(s.window(), "print")->click();
    report::RecordingPageTarget crossed;
    QVERIFY(dialog.compose(crossed, crossed.margins()));
    const report::PageCall* text = crossed.findText("x:");
    QVERIFY(text != nullptr);
    QCOMPARE(text->text, readouts);
    // In the lower right graph, under its heading.
    const report::PageCall* heading = crossed.findText("    4    Max");
    const report::PageCall* left = crossed.findText("    3    Max");
    QVERIFY(heading != nullptr && left != nullptr);
    QVERIFY(text->x1 > crossed.pageWidth() / 2);
    QVERIFY(text->y1 > heading->y1);
    QCOMPARE(heading->y1, left->y1);
    int readoutTexts = 0;
    for (const report::PageCall* t : crossed.texts()) readoutTexts += t->text.starts_with("x:");
    QCOMPARE(readoutTexts, 1);
}

void SpectrumWindowTest::saveButtonsWritePicturesIntoTheChosenFolder() {
    SpectrumSetup s;
    s.setCursors(300, 450);
    s.open();
    const fs::path folder = s.f.dir() / "pictures";
    fs::create_directory(folder);
    QString startedIn;
    QString answer = QString::fromStdString((folder / "graph").string());
    s.window().setPictureFileChooser([&](const QString& start) -> std::optional<QString> {
        startedIn = start;
        if (answer.isEmpty()) return std::nullopt;
        return answer;
    });
    const QString remembered = QString::fromStdString(s.f.session().general().pictureDir);
    control<QToolButton>(s.window().graph(0), "save")->click();
    QCOMPARE(startedIn, remembered);
    auto head = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes(4, '\0');
        in.read(bytes.data(), 4);
        return bytes;
    };
    QCOMPARE(head(folder / "graph.bmp").substr(0, 2), std::string("BM"));
    QCOMPARE(s.f.session().general().pictureDir, folder.string());
    // Remembered in the settings file at once; the next dialog starts there.
    QCOMPARE(
        settings::readGeneralSettings(s.f.session().paths().generalIniPath(), s.f.dir()).pictureDir,
        folder.string());
    answer = QString::fromStdString((folder / "window.png").string());
    control<QPushButton>(s.window(), "save")->click();
    QCOMPARE(startedIn, QString::fromStdString(folder.string()));
    QCOMPARE(head(folder / "window.png"), std::string("\x89PNG"));
    // Cancelled: nothing written, nothing said.
    answer.clear();
    const std::size_t messages = s.f.prompter().messages.size();
    control<QPushButton>(s.window(), "save")->click();
    QCOMPARE(s.f.prompter().messages.size(), messages);
    QCOMPARE(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

// A name without a suffix takes the dialog's filter; a suffix typed wins. The graph's picture
// leaves its "..." button out: where the button sits, the picture shows what lies under it.
void SpectrumWindowTest::picturesTakeTheChosenFormatWithoutTheButton() {
    QCOMPARE(gui::withFilterSuffix(QStringLiteral("/p/graph"), QStringLiteral("PNG (*.png)")),
             QStringLiteral("/p/graph.png"));
    QCOMPARE(gui::withFilterSuffix(QStringLiteral("/p/graph"), QStringLiteral("Bitmap (*.bmp)")),
             QStringLiteral("/p/graph.bmp"));
    QCOMPARE(
        gui::withFilterSuffix(QStringLiteral("/p/graph.png"), QStringLiteral("Bitmap (*.bmp)")),
        QStringLiteral("/p/graph.png"));
    QCOMPARE(gui::withFilterSuffix(QStringLiteral("/p/graph.BMP"), QStringLiteral("PNG (*.png)")),
             QStringLiteral("/p/graph.BMP"));

    SpectrumSetup s;
    s.setCursors(300, 450);
    s.open();
    gui::SpectrumGraphWidget& graph = s.window().graph(0);
    QToolButton* button = control<QToolButton>(graph, "save");
    QVERIFY(button->isVisible());
    const QRect under = button->geometry();
    const QImage picture = graph.picture();
    QVERIFY(button->isVisible());  // back after the picture
    button->hide();
    const QImage without = graph.grab().toImage();
    button->show();
    QCOMPARE(picture.size(), without.size());
    QCOMPARE(picture.copy(under), without.copy(under));
    QVERIFY(picture.copy(under) != graph.grab().toImage().copy(under));

    const fs::path file = s.f.dir() / "graph.png";
    s.window().setPictureFileChooser([&](const QString&) -> std::optional<QString> {
        return QString::fromStdString(file.string());
    });
    button->click();
    QImage saved;
    QVERIFY(saved.load(QString::fromStdString(file.string()), "PNG"));
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32).copy(under),
             without.convertToFormat(QImage::Format_RGB32).copy(under));
}

}  // namespace krnz::test
