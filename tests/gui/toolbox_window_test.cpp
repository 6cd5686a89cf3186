// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolbox_window_test.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <deque>
#include <fstream>

#include "core/analysis/active_channels.h"
#include "core/analysis/chain_runner.h"
#include "core/analysis/macro_file.h"
#include "core/analysis/operator_codes.h"
#include "core/analysis/panel_texts.h"
#include "core/analysis/peak_interpolation.h"
#include "gui/toolbox/frequency_selector.h"
#include "gui/toolbox/resultant_selection.h"
#include "gui/toolbox/toolbox_window.h"
#include "gui/view/channel_info_panel.h"
#include "gui/view/texts.h"
#include "gui_test_support.h"

namespace krnz::test {
namespace {

namespace fs = std::filesystem;
using gui::ToolboxWindow;
using Lists = analysis::OperatorLists;
using Encoded = analysis::EncodedLists;

class RecordingReporter : public analysis::Reporter {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

template <typename T>
T* control(QWidget& w, const QString& name) {
    T* c = w.findChild<T*>(name);
    if (!c) qFatal("no control %s", qPrintable(name));
    return c;
}

QListWidget* opGrid(ToolboxWindow& w, int row) {
    return control<QListWidget>(w, QStringLiteral("opGrid%1").arg(row));
}

// Picks an entry with the mouse, as the user does: its list's row becomes the current one.
void pickEntry(ToolboxWindow& w, int row, int index) {
    QListWidget* list = opGrid(w, row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(index)).center());
}

void clickButton(ToolboxWindow& w, const QString& name) {
    control<QPushButton>(w, name)->click();
}
void clickOperator(ToolboxWindow& w, int op) {
    clickButton(w, QStringLiteral("opButt%1").arg(op));
}

// Loads an event and opens the toolbox on it by its toolbar button.
ToolboxWindow& openOn(GuiFixture& f, const std::string& name,
                      const std::vector<std::uint8_t>& bytes) {
    if (!f.window().loadEvent(f.write(name, bytes))) qFatal("event %s did not load", name.c_str());
    f.window().actions().toolboxButton->click();
    return f.window().toolboxWindow();
}

bool sameRows(const SampleMatrix& a, const SampleMatrix& b) {
    if (a.samplesPerRow() != b.samplesPerRow()) return false;
    for (int r = 0; r < kSlots; ++r)
        if (!std::ranges::equal(a.row(r), b.row(r))) return false;
    return true;
}

// "a,b|c||" style: rows separated by '|', entries by ','.
Encoded encodedOf(const QString& text) {
    Encoded lists;
    const QStringList rows = text.split(QLatin1Char('|'));
    for (int r = 0; r < kSlots; ++r)
        if (!rows.value(r).isEmpty())
            for (const QString& entry : rows.value(r).split(QLatin1Char(',')))
                lists[static_cast<std::size_t>(r)].push_back(gui::stdstr(entry));
    return lists;
}

Lists listsOf(const QString& text) {
    return analysis::parseLists(encodedOf(text));
}

// Every list widget shows its row of the model, with the model's selection.
void checkListsMirrorTheChain(ToolboxWindow& w) {
    for (int r = 0; r < kSlots; ++r) {
        QListWidget* list = opGrid(w, r);
        const auto& entries = w.chain().opGrid(r);
        QCOMPARE(list->count(), static_cast<int>(entries.size()));
        for (int i = 0; i < list->count(); ++i)
            QCOMPARE(gui::stdstr(list->item(i)->text()), entries[static_cast<std::size_t>(i)]);
        const QList<QListWidgetItem*> selected = list->selectedItems();
        QCOMPARE(selected.isEmpty() ? -1 : list->row(selected.front()), w.chain().selected(r));
    }
}

// Two resultant groups over four rows: row 0 "0", "6 s 0"; row 1 "6 s 0", "6 s 1"; row 2
// "6 s 1", "6 d 1"; row 3 "6 d 0".
void buildTwoGroups(ToolboxWindow& w) {
    std::deque<analysis::ResultantChoice> choices = {{{true, true, false, false}, 4},
                                                     {{false, true, true, false}, 3}};
    w.setResultantChooser([&choices] {
        const analysis::ResultantChoice next = choices.front();
        choices.pop_front();
        return std::optional(next);
    });
    clickOperator(w, analysis::kOpIntegrate);
    clickOperator(w, analysis::kOpResultant);
    clickOperator(w, analysis::kOpResultant);
}

}  // namespace

// A tool window of the main window: the window system keeps it above its parent, also when a
// message box of the main window has had the focus.
void ToolboxWindowTest::isAToolWindowOfTheMainWindow() {
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    QCOMPARE(w.windowType(), Qt::Tool);
    QCOMPARE(w.parentWidget(), static_cast<QWidget*>(&f.window()));
    QVERIFY(w.isWindow());
    QVERIFY(w.isVisible());
}

void ToolboxWindowTest::newEntryGoesAfterTheSelectionOrAtTheEnd() {
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    for (int op : {0, 1, 4, 5, 7}) clickOperator(w, op);
    QCOMPARE(w.chain().opInt(0), listsOf("0,1,4,5,7")[0]);

    opGrid(w, 0)->setCurrentRow(2);
    clickOperator(w, analysis::kOpDiff);
    QCOMPARE(w.chain().opInt(0), listsOf("0,1,4,1,5,7")[0]);
    QCOMPARE(w.chain().selected(0), 3);

    opGrid(w, 0)->clearSelection();
    clickOperator(w, analysis::kOpSwedishStandard);
    QCOMPARE(w.chain().opInt(0), listsOf("0,1,4,1,5,7,7")[0]);
    checkListsMirrorTheChain(w);
}

void ToolboxWindowTest::buttonsAddToTheRowWhoseListWasUsed() {
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    opGrid(w, 2)->setFocus();
    QApplication::processEvents();
    clickOperator(w, analysis::kOpComfortDin);
    QCOMPARE(w.chain().opIntLists(), listsOf("||4|"));

    opGrid(w, 1)->setFocus();
    QApplication::processEvents();
    clickOperator(w, analysis::kOpIntegrate);
    // Picking an entry with the mouse makes its row the current one as well, even when the
    // entry was selected already.
    pickEntry(w, 2, 0);
    clickOperator(w, analysis::kOpDiff);
    QCOMPARE(w.chain().opIntLists(), listsOf("|0|4,1|"));
    checkListsMirrorTheChain(w);
}

void ToolboxWindowTest::filterAndResultantButtonsAddNothingWhenCancelled() {
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    QStringList startTexts;
    std::optional<int> answer;
    w.setFrequencyChooser([&](const QString& start) {
        startTexts << start;
        return answer;
    });
    std::optional<analysis::ResultantChoice> choice;
    w.setResultantChooser([&] { return choice; });

    clickOperator(w, analysis::kOpLowPass);
    clickOperator(w, analysis::kOpResultant);
    QCOMPARE(w.chain().opIntLists(), Lists{});
    QCOMPARE(w.chain().resultantCounter(), std::int64_t(0));

    answer = 120;
    clickOperator(w, analysis::kOpHiPass);
    QCOMPARE(startTexts, QStringList({"80", "80"}));
    QCOMPARE(w.chain().opInt(0), listsOf("3 120")[0]);
    QCOMPARE(w.chain().opGrid(0).front(),
             analysis::displayEntry(analysis::filterOperator(analysis::OperatorKind::HiPass, 120),
                                    f.session().texts()));

    choice = analysis::ResultantChoice{{false, true, false, true}, 2};
    clickOperator(w, analysis::kOpResultant);
    QCOMPARE(w.chain().opIntLists(), listsOf("3 120|6 s 0,6 d 0||6 s 0"));
    checkListsMirrorTheChain(w);
}

void ToolboxWindowTest::deleteTakesOneEntryOrTheWholeResultantGroup_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("left");
    QTest::newRow("first entry, no resultant") << 0 << 0 << "6 s 0|6 s 0,6 s 1|6 s 1,6 d 1|6 d 0";
    QTest::newRow("source of group 0") << 1 << 0 << "0|6 s 1|6 s 1,6 d 1|";
    QTest::newRow("destination of group 1") << 2 << 1 << "0,6 s 0|6 s 0||6 d 0";
}

void ToolboxWindowTest::deleteTakesOneEntryOrTheWholeResultantGroup() {
    QFETCH(int, row);
    QFETCH(int, index);
    QFETCH(QString, left);
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    buildTwoGroups(w);
    QCOMPARE(w.chain().opIntLists(), listsOf("0,6 s 0|6 s 0,6 s 1|6 s 1,6 d 1|6 d 0"));

    pickEntry(w, row, index);
    clickButton(w, QStringLiteral("delete"));
    QCOMPARE(w.chain().opIntLists(), listsOf(left));
    checkListsMirrorTheChain(w);
    if (index == 0) QVERIFY(opGrid(w, row)->selectedItems().isEmpty());
}

void ToolboxWindowTest::showPutsTheCoreChainResultOnTheMainWindow() {
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    Event expected = f.session().event();
    w.setFrequencyChooser([](const QString&) { return std::optional(40); });
    clickOperator(w, analysis::kOpIntegrate);
    clickOperator(w, analysis::kOpLowPass);
    control<QCheckBox>(w, "intOn1")->click();
    clickButton(w, QStringLiteral("showButt"));
    QVERIFY(f.prompter().messages.empty());

    RecordingReporter reporter;
    analysis::runOperatorLists(expected, listsOf("0,2 40|||"), f.session().texts(), reporter);
    calcMinMax(expected.sample);
    const analysis::InterpolatedPeak peak =
        analysis::interpolatePeak(expected.sample.sampleData.row(1));

    const Event& shown = f.session().event();
    QVERIFY(sameRows(shown.sample.sampleData, expected.sample.sampleData));
    QCOMPARE(shown.sample.curUnit, expected.sample.curUnit);
    QCOMPARE(shown.sample.chMax[1], static_cast<float>(peak.value));
    QCOMPARE(shown.sample.chMinIndex[1], peak.index);
    QCOMPARE(shown.sample.chMax[0], expected.sample.chMax[0]);
    QVERIFY(f.session().processed());

    // The drawn strip of row 0 spans the processed samples.
    const view::RowData& rows = f.session().rows();
    QVERIFY(rows.rowCount > 0);
    float drawnMax = rows.max(0, 0);
    float drawnMin = rows.min(0, 0);
    for (std::int32_t r = 0; r < rows.rowCount; ++r) {
        drawnMax = std::max(drawnMax, rows.max(0, r));
        drawnMin = std::min(drawnMin, rows.min(0, r));
    }
    const auto row0 = expected.sample.sampleData.row(0);
    QCOMPARE(drawnMax, *std::ranges::max_element(row0));
    QCOMPARE(drawnMin, *std::ranges::min_element(row0));

    PanelInputs inputs;
    inputs.processed = true;
    for (int c = 0; c < kSlots; ++c)
        inputs.channelOn[static_cast<std::size_t>(c)] = view::isActive(f.session().options(), c);
    Event measured = shown;
    const PanelTexts panels = setMainWindowTexts(measured, inputs, f.session().texts());
    for (int c = 0; c < kSlots; ++c)
        QCOMPARE(f.window().channelInfoPanel().channelTextValue(c).text(),
                 gui::joinedLines(panels.channelValues[static_cast<std::size_t>(c)]));
}

// What a source channel does to the rows is the workspace's (workspace_chain_test); here the
// box's entry chooses it and the panel shows it.
void ToolboxWindowTest::showTakesTheChosenSourceChannel() {
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    control<QComboBox>(w, "inCh0")->setCurrentIndex(2);
    QCOMPARE(w.chain().sourceChannel(0), 3);
    QCOMPARE(w.chain().sourceChannel(1), 2);
    clickButton(w, QStringLiteral("showButt"));
    QCOMPARE(f.session().workspace().sourceChannels(), (std::array<int, kSlots>{3, 2, 3, 4}));
    QCOMPARE(f.session().panels().channelValues[0].front(), std::string("3"));
    QCOMPARE(f.window().channelInfoPanel().channelTextValue(0).text(),
             gui::joinedLines(f.session().panels().channelValues[0]));
}

void ToolboxWindowTest::closingRestoresTheEventAsLoaded() {
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    const Event loaded = f.session().event();
    const PanelTexts filePanels = f.session().panels();
    QCOMPARE(f.window().actions().toolboxButton->text(),
             gui::qtext(f.session().texts(), "krn", "toolboxopen"));
    clickOperator(w, analysis::kOpIntegrate);
    control<QComboBox>(w, "inCh1")->setCurrentIndex(3);
    clickButton(w, QStringLiteral("showButt"));
    QVERIFY(!sameRows(f.session().event().sample.sampleData, loaded.sample.sampleData));

    // What unloading restores is the workspace's (workspace_chain_test); here closing unloads
    // and the panels show the event as loaded again.
    w.close();
    QVERIFY(sameRows(f.session().event().sample.sampleData, loaded.sample.sampleData));
    QVERIFY(!f.session().processed());
    for (int c = 0; c < kSlots; ++c)
        QCOMPARE(f.window().channelInfoPanel().channelTextValue(c).text(),
                 gui::joinedLines(filePanels.channelValues[static_cast<std::size_t>(c)]));
    QCOMPARE(f.window().actions().toolboxButton->text(),
             gui::qtext(f.session().texts(), "krn", "toolbox"));
    // The lists stay for the next time the toolbox is opened.
    QCOMPARE(w.chain().opInt(0), listsOf("0")[0]);
}

void ToolboxWindowTest::anEventOpenedMeanwhileIsTheOneShowStartsFrom() {
    GuiFixture f;
    openOn(f, "KRN00001.001", k100File(1));
    QVERIFY(f.window().loadEvent(f.write("KRN00002.001", k100File(2))));
    const Event second = f.session().event();
    ToolboxWindow& w = f.window().toolboxWindow();
    QVERIFY(w.isVisible());
    clickButton(w, QStringLiteral("showButt"));
    QVERIFY(sameRows(f.session().event().sample.sampleData, second.sample.sampleData));
    w.close();
    QVERIFY(sameRows(f.session().event().sample.sampleData, second.sample.sampleData));
}

void ToolboxWindowTest::lastRowBoxCannotBeUnchecked() {
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    for (int r = 0; r < kSlots; ++r)
        QVERIFY(control<QCheckBox>(w, QStringLiteral("channelOn%1").arg(r))->isChecked());
    for (int r = 0; r < kSlots - 1; ++r) {
        control<QCheckBox>(w, QStringLiteral("channelOn%1").arg(r))->click();
        QCOMPARE(w.chain().currentRow(), r + 1);  // the first row still checked
    }
    QVERIFY(f.prompter().messages.empty());
    QCheckBox* last = control<QCheckBox>(w, "channelOn3");
    last->click();
    QVERIFY(last->isChecked());
    QCOMPARE(f.prompter().messages,
             std::vector<std::string>{f.session().texts().text("option", "errChannelOn")});
    QCOMPARE(w.chain().channelOn(), (std::array<bool, kSlots>{false, false, false, true}));
}

void ToolboxWindowTest::doubleClickEditsFilterFrequenciesOnly() {
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    QStringList startTexts;
    std::optional<int> answer = 80;
    w.setFrequencyChooser([&](const QString& start) {
        startTexts << start;
        return answer;
    });
    clickOperator(w, analysis::kOpIntegrate);
    clickOperator(w, analysis::kOpLowPass);
    startTexts.clear();
    QListWidget* list = opGrid(w, 0);
    QSignalSpy doubleClicked(list, &QListWidget::itemDoubleClicked);
    // A double click as the mouse makes it: the view acts only on the entry pressed before.
    const auto doubleClick = [list](int index) {
        const QPoint at = list->visualItemRect(list->item(index)).center();
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    };

    doubleClick(0);
    QCOMPARE(doubleClicked.count(), 1);
    QVERIFY(startTexts.isEmpty());
    QCOMPARE(w.chain().opInt(0), listsOf("0,2 80")[0]);

    answer = std::nullopt;
    doubleClick(1);
    QCOMPARE(w.chain().opInt(0), listsOf("0,2 80")[0]);
    answer = 25;
    doubleClick(1);
    QCOMPARE(startTexts, QStringList({"80", "80"}));
    QCOMPARE(w.chain().opInt(0), listsOf("0,2 25")[0]);
    QCOMPARE(w.chain().opGrid(0)[1],
             analysis::displayEntry(analysis::filterOperator(analysis::OperatorKind::LowPass, 25),
                                    f.session().texts()));
    checkListsMirrorTheChain(w);
}

void ToolboxWindowTest::macroSaveNeedsAPlainName_data() {
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("saved");
    QTest::newRow("cancelled") << false << "" << false;
    QTest::newRow("empty") << true << "" << false;
    QTest::newRow("outside the folder") << true << "../outside" << false;
    QTest::newRow("plain name") << true << "quarry 2" << true;
}

void ToolboxWindowTest::macroSaveNeedsAPlainName() {
    QFETCH(bool, answered);
    QFETCH(QString, name);
    QFETCH(bool, saved);
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    w.setFrequencyChooser([](const QString&) { return std::optional(80); });
    clickOperator(w, analysis::kOpIntegrate);
    clickOperator(w, analysis::kOpHiPass);
    w.setMacroNameChooser([&]() -> std::optional<QString> {
        if (!answered) return std::nullopt;
        return name;
    });
    const fs::path macroDir = f.session().paths().macroDir();
    const auto filesIn = [](const fs::path& dir) {
        std::error_code ec;
        return std::distance(fs::directory_iterator(dir, ec), fs::directory_iterator());
    };
    const auto before = filesIn(f.dir());
    clickButton(w, QStringLiteral("save"));

    auto* macroList = control<QListWidget>(w, "macroList");
    if (!saved) {
        QCOMPARE(filesIn(macroDir), std::ptrdiff_t(0));
        QCOMPARE(filesIn(f.dir()), before + (fs::exists(macroDir) ? 1 : 0));
        QCOMPARE(macroList->count(), 0);
        QCOMPARE(f.prompter().messages.size(), std::size_t(name.isEmpty() ? 0 : 1));
        return;
    }
    QVERIFY(f.prompter().messages.empty());
    RecordingReporter reporter;
    const auto read =
        analysis::readMacroFile(macroDir / gui::stdstr(name), f.session().texts(), reporter);
    QVERIFY(read);
    QCOMPARE(*read, analysis::encodedLists(w.chain().opIntLists()));
    QCOMPARE(macroList->count(), 1);
    QCOMPARE(macroList->currentItem()->text(), name);
    QVERIFY(macroList->currentItem()->isSelected());
}

void ToolboxWindowTest::clickedMacroReplacesTheLists() {
    GuiFixture f;
    const fs::path macroDir = f.session().paths().macroDir();
    fs::create_directories(macroDir);
    const Encoded stored = encodedOf("0,2 80|6 s 7||6 s 7,6 d 7");
    analysis::writeMacroFile(macroDir / "blast", stored);
    std::ofstream(macroDir / "future") << "[main]\nversion=2\n[op]\n0=0,\n";
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    clickOperator(w, analysis::kOpSwedishStandard);
    auto* macroList = control<QListWidget>(w, "macroList");
    QCOMPARE(macroList->count(), 2);
    const auto click = [macroList](const QString& name) {
        QListWidgetItem* item = macroList->findItems(name, Qt::MatchExactly).value(0);
        QVERIFY(item);
        QTest::mouseClick(macroList->viewport(), Qt::LeftButton, {},
                          macroList->visualItemRect(item).center());
    };

    click(QStringLiteral("blast"));
    QCOMPARE(analysis::encodedLists(w.chain().opIntLists()), stored);
    for (int r = 0; r < kSlots; ++r)
        for (std::size_t i = 0; i < stored[static_cast<std::size_t>(r)].size(); ++i)
            QCOMPARE(w.chain().opGrid(r)[i],
                     analysis::displayLoadedEntry(stored[static_cast<std::size_t>(r)][i],
                                                  f.session().texts()));
    checkListsMirrorTheChain(w);
    QVERIFY(f.prompter().messages.empty());
    // Groups added later stay apart from the macro's.
    w.setResultantChooser([] {
        return std::optional(analysis::ResultantChoice{{true, true, false, false}, 1});
    });
    clickOperator(w, analysis::kOpResultant);
    QCOMPARE(analysis::encodedEntry(w.chain().opInt(1).back()), std::string("6 s 8"));

    click(QStringLiteral("future"));
    QCOMPARE(f.prompter().messages,
             std::vector<std::string>{f.session().texts().text("toolbox", "versionError")});
    QCOMPARE(w.chain().opIntLists(), Lists{});
    checkListsMirrorTheChain(w);
}

void ToolboxWindowTest::savingOverAMacroAsksFirst_data() {
    QTest::addColumn<bool>("replace");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void ToolboxWindowTest::savingOverAMacroAsksFirst() {
    QFETCH(bool, replace);
    GuiFixture f;
    ToolboxWindow& w = openOn(f, "KRN00001.001", k100File());
    const fs::path macroDir = f.session().paths().macroDir();
    fs::create_directories(macroDir);
    const std::string old = "; notes on the old chain\n[main]\nversion=1\n[op]\n0=0,\n";
    std::ofstream(macroDir / "m1", std::ios::binary) << old;
    clickOperator(w, analysis::kOpDiff);
    w.setMacroNameChooser([] { return std::optional(QStringLiteral("m1")); });
    f.prompter().answers = {replace};
    clickButton(w, QStringLiteral("save"));
    QCOMPARE(f.prompter().questions.size(), std::size_t(1));
    std::ifstream in(macroDir / "m1", std::ios::binary);
    const std::string now((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!replace) {
        QCOMPARE(now, old);
        return;
    }
    QVERIFY2(now.find("notes on the old chain") == std::string::npos, now.c_str());
    // The new chain reads back.
    RecordingReporter reporter;
    const auto lists = analysis::readMacroFile(macroDir / "m1", f.session().texts(), reporter);
    QVERIFY(lists);
    QCOMPARE(*lists, analysis::encodedLists(w.chain().opIntLists()));
}

void ToolboxWindowTest::frequencyDialogTakesWholeHertzAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");  // what the box holds when OK is pressed
    QTest::newRow("whole") << "120"
                           << "120";
    QTest::newRow("highest") << "500"
                             << "500";
    // A decimal point cannot be typed: the box shows what it will hand on, not 3.28 taken as 3.
    QTest::newRow("decimal") << "3.28"
                             << "328";
    // A digit that would leave the range is refused as it is typed.
    QTest::newRow("above") << "501"
                           << "50";
}

void ToolboxWindowTest::frequencyDialogTakesWholeHertzAsTyped() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    GuiFixture f;
    gui::FrequencySelector dialog(f.session().texts(), &f.window());
    dialog.show();
    auto* box = control<QSpinBox>(dialog, "frq");
    // The range is shown beside the box.
    QVERIFY(control<QLabel>(dialog, "range")->text().contains(QStringLiteral("1 - 500")));
    box->selectAll();
    QTest::keyClicks(box, typed);
    QCOMPARE(box->text(), shown);
    control<QPushButton>(dialog, "ok")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosen(), std::optional(shown.toInt()));
    QVERIFY(f.prompter().messages.empty());
}

void ToolboxWindowTest::resultantDialogNeedsTwoOrThreeChannels_data() {
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("destination");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("none") << "0000" << 1 << false;
    QTest::newRow("one") << "0100" << 1 << false;
    QTest::newRow("two") << "1010" << 4 << true;
    QTest::newRow("three, destination among them") << "0111" << 2 << true;
    QTest::newRow("four") << "1111" << 1 << false;
}

void ToolboxWindowTest::resultantDialogNeedsTwoOrThreeChannels() {
    QFETCH(QString, checked);
    QFETCH(int, destination);
    QFETCH(bool, accepted);
    GuiFixture f;
    gui::ResultantSelection dialog(f.session().texts(), &f.window());
    dialog.show();
    QCOMPARE(dialog.outCh().currentText(), QStringLiteral("1"));
    std::array<bool, kSlots> sources{};
    for (int c = 0; c < kSlots; ++c) {
        sources[static_cast<std::size_t>(c)] = checked[c] == QLatin1Char('1');
        dialog.inCh(c).setChecked(sources[static_cast<std::size_t>(c)]);
    }
    dialog.outCh().setCurrentIndex(dialog.outCh().findText(QString::number(destination)));
    control<QPushButton>(dialog, "ok")->click();
    QCOMPARE(dialog.isVisible(), !accepted);
    if (!accepted) {
        QVERIFY(!dialog.chosen());
        QCOMPARE(
            f.prompter().messages,
            std::vector<std::string>{f.session().texts().text("toolbox", "selectNchannels") + "!"});
        return;
    }
    QVERIFY(dialog.chosen());
    QCOMPARE(dialog.chosen()->source, sources);
    QCOMPARE(dialog.chosen()->destinationChannel, destination);
    QVERIFY(f.prompter().messages.empty());
}

}  // namespace krnz::test
