// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the main window and its dialogs in the states a user meets, for looking at them
// (not a test: pictures are judged by eye). Usage: krnz_gui_screenshots OUTDIR
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "gui/event/channel_group_dialog.h"
#include "gui/event/extra_info_dialog.h"
#include "gui/report/extra_graph_window.h"
#include "gui/settings/options_dialog.h"
#include "gui/spectrum/spectrum_graph_widget.h"
#include "gui/spectrum/spectrum_window.h"
#include "gui/spectrum/spectrum_wizard.h"
#include "gui/toolbox/frequency_selector.h"
#include "gui/toolbox/resultant_selection.h"
#include "gui/toolbox/toolbox_window.h"
#include "gui/view/graph_area.h"
#include "gui/view/start_screen.h"
#include "gui/view/strip_widget.h"
#include "gui/view/user_guide_window.h"
#include "gui_test_support.h"

namespace {

using namespace krnz;

QString g_out;

void save(QWidget& widget, const char* name) {
    QApplication::processEvents();
    const QString file = QDir(g_out).filePath(QLatin1String(name) + QStringLiteral(".png"));
    if (!widget.grab().save(file)) qWarning("could not save %s", qPrintable(file));
}

// A copy in the fixture's folder: opening an event stores user information beside it, and the
// bundled samples must stay as they are.
test::GuiFixture* g_fixture = nullptr;

std::filesystem::path sample(const char* name) {
    const auto source = std::filesystem::path(KRNZ_SOURCE_DIR) / "data" / "samples";
    const auto copy = g_fixture->dir() / name;
    std::filesystem::copy_file(source / name, copy,
                               std::filesystem::copy_options::overwrite_existing);
    std::error_code ec;
    std::filesystem::copy_file(source / (std::string(name) + ".userinfo"),
                               g_fixture->dir() / (std::string(name) + ".userinfo"),
                               std::filesystem::copy_options::overwrite_existing, ec);
    return copy;
}

void mainWindowStates() {
    test::GuiFixture f;
    g_fixture = &f;
    gui::MainWindow& w = f.window();
    w.resize(1400, 900);
    save(w, "01_welcome");
    w.startScreen().showLoading();
    save(w, "02_loading");
    w.loadEvent(sample("KRN00412.101"));
    save(w, "03_k100");
    w.loadEvent(sample("KRN00412.103"));
    save(w, "04_k100_slot_without_sensor");
    w.setChannelGroupChooser([] { return std::optional<int>(2); });
    w.loadEvent(sample("KRN00206.021"));
    save(w, "05_k200_channels_5_8");
    w.loadEvent(sample("quarry_ips_psi.tremolog"));
    save(w, "06_tremolog_ips_psi");
    w.loadEvent(sample("blast_malmo.tremolog"));
    gui::StripWidget& strip = w.graphArea().strip(0);
    const int h = w.graphArea().height();
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(10, h / 8));
    w.actions().mInsertRef->trigger();
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(10, h / 5));
    save(w, "07_tremolog_cursor_reference");
    w.selectZoom(4);
    w.scrollBar().setValue(333);
    save(w, "08_zoom4_scrolled");
    w.selectZoom(1);
    w.actions().mSampleInfo->trigger();
    save(w, "09_without_sample_info");
    w.actions().mChannelInfo->trigger();
    w.actions().mToolbar->trigger();
    save(w, "10_strips_only");
    w.actions().mSampleInfo->trigger();
    w.actions().mChannelInfo->trigger();
    w.actions().mToolbar->trigger();
    settings::Options o = f.session().options();
    o.drawStyle = settings::DrawStyle::Pixels;
    o.slotOptions[1].colors = {0x202020, 0x00C0FF, 0x505050, 0x40FF40, 0x4040FF};
    f.session().setOptions(o);
    w.formResize();
    save(w, "11_pixels_and_colours");
    o.drawStyle = settings::DrawStyle::Lines;
    f.session().setOptions(o);
    w.resize(w.minimumSize());
    w.formResize();
    save(w, "12_minimum_size");
    w.resize(1400, 900);

    gui::OptionsDialog& d = w.optionsDialog();
    d.show();
    auto* tabs = d.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    for (int page = 0; page < 3; ++page) {
        tabs->setCurrentIndex(page);
        const QByteArray name = "13_options_page" + QByteArray::number(page);
        save(d, name.constData());
    }
    auto* list = d.findChild<QListWidget*>(QStringLiteral("languageList"));
    list->setCurrentItem(list->findItems(QStringLiteral("Svenska"), Qt::MatchExactly).front());
    save(d, "14_options_svenska");
    d.hide();
    save(w, "15_main_svenska");
    list->setCurrentItem(list->findItems(QStringLiteral("English"), Qt::MatchExactly).front());

    gui::ExtraInfoDialog& extra = w.extraInfoDialog();
    extra.setTexts(f.session().userInfo(), f.session().event().sample.fileFormat);
    extra.show();
    save(extra, "16_extra_information");
    extra.hide();
    gui::ChannelGroupDialog chooser(f.session().texts(), &w);
    chooser.show();
    save(chooser, "17_channel_group_chooser");
}

// The toolbox with a few operators, a resultant and a macro, and the main window after "show".
void toolboxStates() {
    test::GuiFixture f;
    g_fixture = &f;
    gui::MainWindow& w = f.window();
    w.resize(1400, 900);
    w.loadEvent(sample("KRN00412.101"));
    w.actions().toolboxButton->click();
    gui::ToolboxWindow& t = w.toolboxWindow();
    t.setFrequencyChooser([](const QString&) { return std::optional(40); });
    t.setResultantChooser([] {
        return std::optional(analysis::ResultantChoice{{true, true, true, false}, 4});
    });
    t.setMacroNameChooser([] { return std::optional(QStringLiteral("blast filter")); });
    for (int op : {0, 2, 6, 4}) t.addOperator(op);
    t.saveMacro();
    save(t, "30_toolbox");
    t.showChain();
    save(w, "31_main_after_toolbox_show");
    gui::FrequencySelector frequency(f.session().texts(), &t);
    frequency.show();
    save(frequency, "32_frequency_selector");
    gui::ResultantSelection resultant(f.session().texts(), &t);
    resultant.show();
    save(resultant, "33_resultant_selection");
}

// The spectrum window over an interval of the Malmö blast with the cross-hair on the first graph,
// then with both axes logarithmic.
void spectrumWindow() {
    test::GuiFixture f;
    g_fixture = &f;
    gui::MainWindow& w = f.window();
    w.resize(1400, 900);
    w.loadEvent(sample("blast_malmo.tremolog"));
    gui::StripWidget& strip = w.graphArea().strip(0);
    const int h = w.graphArea().height();
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(10, h / 8));
    w.actions().mInsertRef->trigger();
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(10, h / 2));
    w.actions().frqButt->click();
    gui::SpectrumWizard& wizard = w.spectrumWindow().wizard();
    save(wizard, "18_spectrum_wizard");
    wizard.findChild<QPushButton*>(QStringLiteral("next"))->click();
    gui::SpectrumWindow& spectrum = w.spectrumWindow();
    spectrum.resize(1100, 750);
    QApplication::processEvents();
    gui::SpectrumGraphWidget& graph = spectrum.graph(0);
    const QPoint plot = graph.plotRect().topLeft();
    QTest::mousePress(&graph, Qt::LeftButton, {}, plot + QPoint(graph.plotRect().width() / 5, 40));
    save(spectrum, "19_fft_window");
    spectrum.findChild<QCheckBox*>(QStringLiteral("logx"))->setChecked(true);
    spectrum.findChild<QCheckBox*>(QStringLiteral("logy"))->setChecked(true);
    spectrum.findChild<QPushButton*>(QStringLiteral("boll"))->click();
    save(spectrum, "20_fft_window_log");
    spectrum.findChild<QCheckBox*>(QStringLiteral("logx"))->setChecked(false);
    spectrum.findChild<QCheckBox*>(QStringLiteral("logy"))->setChecked(false);
    // The window follows a second event: its cursor and reference carry over, slot 2 has no
    // sensor; then without the reference it says what is missing.
    w.loadEvent(sample("KRN00412.103"));
    QApplication::processEvents();
    save(spectrum, "21_fft_window_second_event");
    w.actions().mRemoveRef->trigger();
    QApplication::processEvents();
    save(spectrum, "22_fft_window_without_reference");
    spectrum.close();
}

// The PPV/ZX diagram, a cut event's notice and the user guide.
void otherWindows() {
    test::GuiFixture f;
    g_fixture = &f;
    gui::MainWindow& w = f.window();
    w.resize(1400, 900);
    std::filesystem::copy_file(std::filesystem::path(KRNZ_SOURCE_DIR) / "data" / "PPVZX.ini",
                               f.dir() / "PPVZX.ini");
    w.loadEvent(sample("KRN00412.101"));
    w.actions().viewXgraphButton->click();
    gui::ExtraGraphWindow& ppvzx = w.extraGraphWindow();
    ppvzx.resize(1000, 800);
    QApplication::processEvents();
    save(ppvzx, "23_ppvzx");
    ppvzx.hide();
    // A copy that ends a quarter into its samples.
    {
        const auto whole = sample("KRN00412.101");
        const auto size = std::filesystem::file_size(whole);
        std::filesystem::resize_file(whole, 512 + (size - 512) / 4);
    }
    w.loadEvent(g_fixture->dir() / "KRN00412.101");
    save(w, "24_truncated_notice");
    w.userGuideWindow().showGuide();
    w.userGuideWindow().resize(900, 800);
    QApplication::processEvents();
    save(w.userGuideWindow(), "25_user_guide");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: krnz_gui_screenshots OUTDIR\n", stderr);
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_out);
    mainWindowStates();
    spectrumWindow();
    toolboxStates();
    otherWindows();
    return 0;
}
