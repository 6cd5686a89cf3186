// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_windows_test.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <fstream>

#include "core/report/half_waves.h"
#include "core/settings/ini_document.h"
#include "core/spectrum/fft_graphs.h"
#include "gui/report/extra_graph_window.h"
#include "gui/report/ppvzx_view.h"
#include "gui/report/preview_window.h"
#include "gui/report/print_dialog.h"
#include "gui/view/texts.h"
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

void shipPpvzxIni(const GuiFixture& f) {
    fs::copy_file(fs::path(KRNZ_SOURCE_DIR) / "data" / "PPVZX.ini", f.dir() / "PPVZX.ini",
                  fs::copy_options::overwrite_existing);
}

void writeText(const fs::path& file, const std::string& text) {
    std::ofstream(file) << text;
}

std::size_t markersOf(const gui::ExtraGraphWindow& w, int slot) {
    std::size_t n = 0;
    for (const report::PpvzxMarker& m : const_cast<gui::ExtraGraphWindow&>(w).view().markers())
        n += m.slot == slot;
    return n;
}

// With KRNZ_REPORT_ARTEFACTS set to a folder, pictures and PDFs are kept there for a look.
void keepPicture(QWidget& widget, const char* name) {
    if (const char* dir = std::getenv("KRNZ_REPORT_ARTEFACTS"))
        widget.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
}

bool startsWithPdf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char head[5] = {};
    in.read(head, 5);
    return std::string(head, 5) == "%PDF-";
}

}  // namespace

void ReportWindowsTest::diagramWindowReadsStandardsAndPlotsVelocityChannels() {
    GuiFixture f;
    shipPpvzxIni(f);
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    f.window().actions().viewXgraphButton->click();
    gui::ExtraGraphWindow& w = f.window().extraGraphWindow();
    QVERIFY(w.isVisible());
    auto* list = control<QListWidget>(w, "ppvzxStandard");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->currentItem()->text(), QStringLiteral("US"));  // the default choice
    const Event& event = f.session().event();
    for (int c = 0; c < kSlots; ++c) {
        auto* box = control<QCheckBox>(w, QStringLiteral("channelOn%1").arg(c));
        const bool plottable = report::ppvzxPlottable(event, false, c);
        QCOMPARE(box->isEnabled(), plottable);
        if (!plottable) QVERIFY(!box->isChecked());
        QCOMPARE(box->text(), QStringLiteral("Channel %1").arg(c + 1));
        // 16 places per slot; the unused ones carry no marker.
        QCOMPARE(event.sample.highAmps[static_cast<std::size_t>(c)].size(), std::size_t{16});
        if (!plottable) QCOMPARE(markersOf(w, c), std::size_t{0});
    }
    QVERIFY(markersOf(w, 0) > 0);
    w.resize(900, 600);
    QApplication::processEvents();
    keepPicture(w, "extragraph.png");
    // Another standard: in mm/s its velocity numbers are no longer twenty-fifths.
    list->setCurrentRow(1);
    QCOMPARE(w.diagram().standard, 1);
}

// Shown, the diagram follows a new event and the chain once per change; its showing is one
// update, not one for the showing and another for the activation.
void ReportWindowsTest::diagramWindowFollowsANewEventOncePerChange() {
    GuiFixture f;
    shipPpvzxIni(f);
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File(1))));
    gui::ExtraGraphWindow& w = f.window().extraGraphWindow();
    const int atStart = w.computations();
    f.window().actions().viewXgraphButton->click();
    QApplication::processEvents();
    QCOMPARE(w.computations(), atStart + 1);
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(&w, &activation);
    QApplication::processEvents();
    QCOMPARE(w.computations(), atStart + 1);

    // A freshly read event has no half-wave lists until the diagram asks for them.
    QVERIFY(f.window().loadEvent(f.write("KRN00001.002", k100File(2))));
    QApplication::processEvents();
    QCOMPARE(w.computations(), atStart + 2);
    QCOMPARE(f.session().event().sample.highAmps[0].size(), std::size_t{16});
    QCOMPARE(w.diagram().rec, &f.session().event().sample);
    QVERIFY(markersOf(w, 0) > 0);
    f.session().unloadChain();
    QApplication::processEvents();
    QCOMPARE(w.computations(), atStart + 3);
    // Hidden, it waits for its next showing.
    w.hide();
    QVERIFY(f.window().loadEvent(f.write("KRN00001.003", k100File(3))));
    QApplication::processEvents();
    QCOMPARE(w.computations(), atStart + 3);
    QVERIFY(f.session().event().sample.highAmps[0].empty());
}

void ReportWindowsTest::verdictTableFollowsTheStandardList() {
    GuiFixture f;
    shipPpvzxIni(f);
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    f.window().actions().viewXgraphButton->click();
    gui::ExtraGraphWindow& w = f.window().extraGraphWindow();
    auto* table = control<QTableWidget>(w, "verdictTable");
    auto* method = control<QLabel>(w, "verdictMethod");
    int plottable = 0;
    for (int c = 0; c < kSlots; ++c)
        plottable += report::ppvzxPlottable(f.session().event(), false, c);
    QVERIFY(plottable > 0);
    const std::array<int, 3> lines{2, 3, 2};  // US, DIN 4150-3, BS 7385-2 as shipped
    for (int standard = 0; standard < 3; ++standard) {
        control<QListWidget>(w, "ppvzxStandard")->setCurrentRow(standard);
        QCOMPARE(table->rowCount(), plottable * lines[static_cast<std::size_t>(standard)]);
        const report::Verdict& verdict = *f.session().workspace().verdict();
        for (int r = 0; r < table->rowCount(); ++r) {
            QTableWidgetItem* mark = table->item(r, table->columnCount() - 1);
            const int slot = table->item(r, 0)->text().back().digitValue() - 1;
            const int line = table->item(r, 1)->text().toInt() - 1;
            const report::LineVerdict& judged = verdict.channels[static_cast<std::size_t>(slot)]
                                                    .lines[static_cast<std::size_t>(line)];
            QCOMPARE(mark->text(),
                     judged.exceeds ? QStringLiteral("exceeds") : QStringLiteral("below"));
            QCOMPARE(mark->font().bold(), judged.exceeds);
        }
        QVERIFY(
            method->text().startsWith(gui::qstr(f.session()
                                                    .workspace()
                                                    .ppvzxTable()
                                                    .standards[static_cast<std::size_t>(standard)]
                                                    .name)));
        // The diagram frames each plotted slot's worst half-wave.
        QVERIFY(w.diagram().worst[0].has_value());
    }
    QVERIFY(method->text().contains(QStringLiteral("log-log")));
    control<QListWidget>(w, "ppvzxStandard")->setCurrentRow(1);
    QVERIFY(method->text().contains(QStringLiteral("linearly")));
    QVERIFY(table->isVisible());
}

void ReportWindowsTest::fewerPeaksAndUncheckedChannelsDropMarkers() {
    GuiFixture f;
    shipPpvzxIni(f);
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    f.window().actions().viewXgraphButton->click();
    gui::ExtraGraphWindow& w = f.window().extraGraphWindow();
    auto* nPeaks = control<QComboBox>(w, "nPeaks");
    QCOMPARE(nPeaks->currentText(), QStringLiteral("16"));
    const std::size_t sixteen = markersOf(w, 0);
    nPeaks->setCurrentIndex(1);  // all
    const std::size_t all = markersOf(w, 0);
    QVERIFY(all > sixteen);
    QCOMPARE(all, f.session().event().sample.highAmps[0].size());
    nPeaks->setCurrentIndex(0);
    QCOMPARE(markersOf(w, 0), sixteen);
    control<QCheckBox>(w, "channelOn0")->click();
    QCOMPARE(markersOf(w, 0), std::size_t{0});
}

void ReportWindowsTest::markerTooltipsNameAmplitudeAndFrequency() {
    GuiFixture f;
    shipPpvzxIni(f);
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    f.window().actions().viewXgraphButton->click();
    gui::ExtraGraphWindow& w = f.window().extraGraphWindow();
    const auto& markers = w.view().markers();
    QVERIFY(!markers.empty());
    const double tpp = w.view().twipsPerPixel();
    const QString tip = w.view().tooltipAt(QPointF(markers[0].x / tpp, markers[0].y / tpp));
    QVERIFY2(tip.startsWith(QStringLiteral("v: ")) && tip.contains(QStringLiteral(" f: ")),
             qPrintable(tip));
    QVERIFY(w.view().tooltipAt(QPointF(-50, -50)).isEmpty());
}

void ReportWindowsTest::okStoresStandardAndPlace() {
    GuiFixture f;
    shipPpvzxIni(f);
    f.window().actions().viewXgraphButton->click();
    gui::ExtraGraphWindow& w = f.window().extraGraphWindow();
    control<QListWidget>(w, "ppvzxStandard")->setCurrentRow(2);
    control<QPushButton>(w, "ok")->click();
    QVERIFY(!w.isVisible());
    const settings::IniDocument ini = settings::IniDocument::load(f.dir() / "extraGraph.ini");
    QCOMPARE(ini.get("general", "standard", ""), std::string("BS 7385-2"));
    QVERIFY(ini.find("general", "sizeWidth").has_value());
    QVERIFY(ini.find("general", "sizeTop").has_value());
}

void ReportWindowsTest::oversizedWindowTakesTheWorkArea() {
    GuiFixture f;
    writeText(f.dir() / "extraGraph.ini",
              "[general]\nsizeWidth=9000000\nsizeLeft=3000\nsizeHeight=3000\n");
    gui::ExtraGraphWindow& w = f.window().extraGraphWindow();
    const QRect area = w.screen()->availableGeometry();
    QCOMPARE(w.width(), area.width());
    QCOMPARE(w.x(), area.left());
}

void ReportWindowsTest::logOfZeroLabelIsReported() {
    GuiFixture f;
    writeText(f.dir() / "PPVZX.ini", "[general]\nxLabels=0,100\n[S]\nunit=mm/s\n");
    writeText(f.dir() / "extraGraph.ini", "[general]\nstandard=S\n");
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    f.prompter().messages.clear();
    f.window().actions().viewXgraphButton->click();
    const auto& m = f.prompter().messages;
    QVERIFY(std::find(m.begin(), m.end(), "xLog(0) error") != m.end());
}

void ReportWindowsTest::printDialogCopiesAndGuardsTheChannels() {
    GuiFixture f;
    f.window().setChannelGroupChooser([] { return std::optional<int>(2); });
    QVERIFY(f.window().loadEvent(f.write("KRN00002.002", k200File())));
    gui::PrintDialog& d = f.window().printDialog();
    d.prepareEventPrint();
    for (int c = 0; c < kSlots; ++c) {
        auto* box = control<QCheckBox>(d, QStringLiteral("channelOn%1").arg(c));
        QCOMPARE(box->text(), QString::number(c + 5));
        QCOMPARE(box->isChecked(),
                 f.session().options().slotOptions[static_cast<std::size_t>(c)].channelOn ==
                     settings::CheckState::Checked);
    }
    for (int c = 1; c < kSlots; ++c) {
        auto* box = control<QCheckBox>(d, QStringLiteral("channelOn%1").arg(c));
        if (box->isChecked()) box->click();
    }
    auto* last = control<QCheckBox>(d, "channelOn0");
    QVERIFY(last->isChecked());
    f.prompter().messages.clear();
    last->click();
    QVERIFY(last->isChecked());
    QCOMPARE(f.prompter().messages.size(), std::size_t{1});
    QCOMPARE(f.prompter().messages[0], f.session().texts().text("option", "errChannelOn"));
}

void ReportWindowsTest::printDialogEnablesItsOptionsAsTheyAreClicked() {
    GuiFixture f;
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    gui::PrintDialog& d = f.window().printDialog();
    report::PrintSpectrum spectrum;
    d.prepareSpectrumPrint(spectrum);
    QVERIFY(d.choices().spectrumPrint);
    auto* all = control<QCheckBox>(d, "fft_all");
    auto* sel = control<QComboBox>(d, "fft_sel");
    QVERIFY(sel->isEnabled());
    all->click();
    QVERIFY(!sel->isEnabled());
    all->click();
    QVERIFY(sel->isEnabled());

    d.prepareEventPrint();
    QVERIFY(!d.choices().spectrumPrint);
    auto* ppvzx = control<QCheckBox>(d, "ppvzx");
    QVERIFY(!control<QRadioButton>(d, "samplesAndInfo")->isEnabled());
    ppvzx->click();
    QVERIFY(control<QRadioButton>(d, "samplesAndInfo")->isEnabled());
    control<QRadioButton>(d, "only_ppv_zx")->click();
    for (const char* name : {"cursor", "printzoom", "bold"})
        QVERIFY(!control<QCheckBox>(d, name)->isEnabled());
    QVERIFY(d.choices().onlyPpvzx);
    control<QRadioButton>(d, "samplesOnly")->click();
    for (const char* name : {"cursor", "printzoom", "bold"})
        QVERIFY(control<QCheckBox>(d, name)->isEnabled());
    d.adjustSize();
    keepPicture(d, "print-dialog.png");
}

void ReportWindowsTest::cancelledPrinterDialogKeepsTheDialogOpen() {
    GuiFixture f;
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    gui::PrintDialog& d = f.window().printDialog();
    d.prepareEventPrint();
    d.show();
    int asked = 0;
    d.setPrinterChooser([&asked](QPrinter&) {
        ++asked;
        return false;
    });
    f.prompter().messages.clear();
    control<QPushButton>(d, "print")->click();
    QCOMPARE(asked, 1);
    QVERIFY(d.isVisible());
    QVERIFY(f.prompter().messages.empty());
    d.hide();
}

void ReportWindowsTest::printAndSaveAsPdfWriteThePage() {
    GuiFixture f;
    shipPpvzxIni(f);
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    gui::PrintDialog& d = f.window().printDialog();
    d.prepareEventPrint();
    control<QCheckBox>(d, "ppvzx")->click();
    const fs::path printed = f.dir() / "printed.pdf";
    d.setPrinterChooser([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(gui::qstr(printed.string()));
        return true;
    });
    control<QPushButton>(d, "print")->click();
    QVERIFY(startsWithPdf(printed));
    QCOMPARE(d.result(), static_cast<int>(QDialog::Accepted));

    // The spectrum window's print, saved as a PDF.
    report::PrintSpectrum spectrum;
    const spectrum::SpectrumResult result =
        spectrum::repaintSpectra(f.session().event(), {100, 900}, {});
    spectrum.graphs = result.graphs;
    spectrum.selected = "FFT Hanning";
    spectrum.tStart = result.run.tStart;
    spectrum.tEnd = result.run.tEnd;
    d.prepareSpectrumPrint(spectrum);
    control<QCheckBox>(d, "fft_all")->click();
    const fs::path saved = f.dir() / "spectrum.pdf";
    d.setPdfFileChooser([&] { return std::optional<QString>(gui::qstr(saved.string())); });
    f.prompter().messages.clear();
    control<QPushButton>(d, "savePdf")->click();
    QVERIFY(startsWithPdf(saved));
    QVERIFY(f.prompter().messages.empty());
    if (const char* keep = std::getenv("KRNZ_REPORT_ARTEFACTS")) {
        fs::copy_file(printed, fs::path(keep) / "window-event.pdf",
                      fs::copy_options::overwrite_existing);
        fs::copy_file(saved, fs::path(keep) / "window-spectrum.pdf",
                      fs::copy_options::overwrite_existing);
    }
}

void ReportWindowsTest::previewComposesOnePage() {
    GuiFixture f;
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    gui::PrintDialog& d = f.window().printDialog();
    d.prepareEventPrint();
    gui::PreviewWindow preview(d);
    preview.view().updatePreview();
    QCOMPARE(preview.view().pageCount(), 1);
    QCOMPARE(preview.view().orientation(), QPageLayout::Portrait);
}

}  // namespace krnz::test
