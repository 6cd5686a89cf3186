// SPDX-License-Identifier: GPL-3.0-or-later
#include "events_dock_test.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTableView>
#include <QTest>
#include <fstream>
#include <sstream>

#include "core/workspace/summary_table.h"
#include "event_generator.h"
#include "gui/event/event_list_model.h"
#include "gui/event/events_dock.h"
#include "gui/view/graph_area.h"
#include "gui_test_support.h"

namespace krnz::test {
namespace {

namespace fs = std::filesystem;
namespace gen = eventgen;

// Generous: the sanitizer build reads an event in a good part of a second.
constexpr int kScanMs = 60000;

std::vector<std::uint8_t> k100Numbered(int eventNumber, std::uint32_t seed) {
    gen::K100Event ev = gen::makeRealisticK100(0, seed);
    ev.header.eventNumber = eventNumber;
    return gen::writeK100(ev);
}

// A folder "events" beside the fixture's settings, holding `files`.
fs::path eventFolder(GuiFixture& f,
                     const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& files) {
    fs::create_directories(f.dir() / "events");
    for (const auto& [name, bytes] : files) f.write("events/" + name, bytes);
    return f.dir() / "events";
}

gui::EventsDock& listFolder(GuiFixture& f, const fs::path& folder) {
    f.window().openFolder(folder);
    gui::EventsDock& dock = f.window().eventsDock();
    [&] { QTRY_VERIFY_WITH_TIMEOUT(!dock.scanning(), kScanMs); }();
    return dock;
}

int columnTitled(gui::EventsDock& dock, const QString& title) {
    QAbstractItemModel& m = dock.proxy();
    for (int c = 0; c < m.columnCount(); ++c)
        if (m.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().startsWith(title)) return c;
    return -1;
}

QString cellText(gui::EventsDock& dock, int row, int column) {
    return dock.proxy().index(row, column).data().toString();
}

int rowOfFile(gui::EventsDock& dock, const QString& name) {
    for (int r = 0; r < dock.proxy().rowCount(); ++r)
        if (cellText(dock, r, 0) == name) return r;
    return -1;
}

std::vector<std::string> lines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

}  // namespace

void EventsDockTest::openFolderShowsTheDockAndTheViewMenuTogglesIt() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    gui::EventsDock& dock = w.eventsDock();
    QCOMPARE(dock.objectName(), QStringLiteral("eventsDock"));
    QVERIFY(!dock.isVisible());
    QVERIFY(w.actions().mView->actions().contains(w.actions().mEventsList));
    QCOMPARE(w.actions().mEventsList->text(), QStringLiteral("&Events list"));
    QCOMPARE(w.actions().mOpenFolder->text(), QStringLiteral("Open &folder..."));
    QCOMPARE(dock.windowTitle(), QStringLiteral("Events"));

    const fs::path folder =
        eventFolder(f, {{"KRN00001.001", k100File(1)}, {"KRN00002.001", k200File()}});
    QVERIFY(w.loadEvent(folder / "KRN00001.001"));
    const int stripWidth = w.graphArea().width();
    listFolder(f, folder);
    QVERIFY(dock.isVisible());
    QVERIFY(w.actions().mEventsList->isChecked());
    QCOMPARE(w.dockWidgetArea(&dock), Qt::LeftDockWidgetArea);
    // One row per event, two for the eight-channel one; the strips made room.
    QCOMPARE(dock.proxy().rowCount(), 3);
    QCOMPARE(dock.statusLabel().text(), QStringLiteral("3 of 3 events"));
    QVERIFY(!dock.progressBar().isVisible());
    QTRY_VERIFY(w.graphArea().width() < stripWidth);
    QTRY_COMPARE(w.lastLayout().toolbar.width, w.centralWidget()->width());

    w.actions().mEventsList->trigger();
    QVERIFY(!dock.isVisible());
    w.actions().mEventsList->trigger();
    QVERIFY(dock.isVisible());

    // Another language renames the columns and the menu items.
    QVERIFY(f.session().setLanguage("svenska.txt"));
    QCOMPARE(dock.windowTitle(), QStringLiteral("Händelser"));
    QCOMPARE(dock.proxy().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Fil"));
    QCOMPARE(w.actions().mEventsList->text(), QStringLiteral("&Händelselista"));
}

void EventsDockTest::sortsNumbersAsNumbers() {
    GuiFixture f;
    const fs::path folder = eventFolder(f, {{"KRN00001.001", k100Numbered(100, 1)},
                                            {"KRN00002.001", k100Numbered(9, 2)},
                                            {"KRN00003.001", k100Numbered(10, 3)},
                                            {"KRN00004.001", k100Numbered(25, 4)}});
    gui::EventsDock& dock = listFolder(f, folder);
    const int number = columnTitled(dock, QStringLiteral("No."));
    QVERIFY(number >= 0);
    dock.table().sortByColumn(number, Qt::AscendingOrder);
    QStringList order;
    for (int r = 0; r < 4; ++r) order << cellText(dock, r, number);
    // As text, "10" and "100" would come before "9".
    QCOMPARE(order, (QStringList{"9", "10", "25", "100"}));
    QCOMPARE(cellText(dock, 0, 0), QStringLiteral("KRN00002.001"));

    // Every numeric column: each value no smaller than the one above it, read as a number.
    for (const QString& title : {QStringLiteral("Peak 1"), QStringLiteral("Frq 2"),
                                 QStringLiteral("Vector max"), QStringLiteral("dB")}) {
        const int column = columnTitled(dock, title);
        QVERIFY2(column >= 0, qPrintable(title));
        dock.table().sortByColumn(column, Qt::DescendingOrder);
        for (int r = 1; r < 4; ++r) {
            bool ok1 = false, ok2 = false;
            const double above = cellText(dock, r - 1, column).section(' ', 0, 0).toDouble(&ok1);
            const double here = cellText(dock, r, column).section(' ', 0, 0).toDouble(&ok2);
            QVERIFY2(ok1 && ok2, qPrintable(title));
            QVERIFY2(above >= here, qPrintable(title));
        }
    }
}

void EventsDockTest::filterKeepsRowsWithEveryWord() {
    GuiFixture f;
    const fs::path folder = eventFolder(f, {{"KRN00001.001", k100Numbered(7, 1)},
                                            {"KRN00002.001", k100Numbered(8, 2)},
                                            {"KRN00003.002", k200File()},
                                            {"blast.tremolog", tremologFile()}});
    gui::EventsDock& dock = listFolder(f, folder);
    QCOMPARE(dock.proxy().rowCount(), 5);
    dock.filterEdit().setText(QStringLiteral("k200"));
    QCOMPARE(dock.proxy().rowCount(), 2);
    dock.filterEdit().setText(QStringLiteral("K200 5-8"));
    QCOMPARE(dock.proxy().rowCount(), 1);
    QCOMPARE(cellText(dock, 0, columnTitled(dock, QStringLiteral("Layout"))),
             QStringLiteral("K200 (5-8)"));
    dock.filterEdit().setText(QStringLiteral("tremolog"));
    QCOMPARE(dock.proxy().rowCount(), 1);
    QCOMPARE(cellText(dock, 0, 0), QStringLiteral("blast.tremolog"));
    dock.filterEdit().setText(QStringLiteral("KRN0000 K100"));
    QCOMPARE(dock.proxy().rowCount(), 2);
    QCOMPARE(dock.statusLabel().text(), QStringLiteral("2 of 5 events"));
    dock.filterEdit().clear();
    QCOMPARE(dock.proxy().rowCount(), 5);
}

void EventsDockTest::activatingARowOpensItsEvent() {
    GuiFixture f;
    int asked = 0;
    f.window().setChannelGroupChooser([&asked] {
        ++asked;
        return std::optional<int>(1);
    });
    const fs::path folder =
        eventFolder(f, {{"KRN00001.001", k100File(1)}, {"KRN00002.002", k200File()}});
    gui::EventsDock& dock = listFolder(f, folder);
    QTableView& table = dock.table();
    table.sortByColumn(0, Qt::AscendingOrder);

    // A double click on the first event.
    const int first = rowOfFile(dock, QStringLiteral("KRN00001.001"));
    QVERIFY(first >= 0);
    const QRect cell = table.visualRect(dock.proxy().index(first, 2));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_COMPARE(f.session().currentFile(), folder / "KRN00001.001");
    QCOMPARE(f.session().event().sample.fileFormat, kFormatK100);

    // Enter on the second group of the eight-channel event opens that group, unasked.
    int group2 = -1;
    for (int r = 0; r < dock.proxy().rowCount(); ++r)
        if (cellText(dock, r, columnTitled(dock, QStringLiteral("Layout"))).contains("5-8"))
            group2 = r;
    QVERIFY(group2 >= 0);
    table.setFocus();
    table.setCurrentIndex(dock.proxy().index(group2, 0));
    QTest::keyClick(&table, Qt::Key_Return);
    QTRY_COMPARE(f.session().currentFile(), folder / "KRN00002.002");
    QCOMPARE(f.session().event().sample.channelGroup, 2);
    QCOMPARE(asked, 0);
    // The list stays on its folder and marks the event shown.
    QCOMPARE(dock.folder(), folder);
    QCOMPARE(table.currentIndex().row(), group2);
}

void EventsDockTest::anEventOpenedElsewhereMovesTheList() {
    GuiFixture f;
    const fs::path folder = eventFolder(f, {{"KRN00001.001", k100File(1)}});
    fs::create_directories(f.dir() / "other");
    const fs::path elsewhere = f.write("other/KRN00005.001", k100File(5));
    // Hidden, the list does not follow.
    QVERIFY(f.window().loadEvent(elsewhere));
    QVERIFY(f.window().eventsDock().folder().empty());
    gui::EventsDock& dock = listFolder(f, folder);
    QVERIFY(f.window().loadEvent(elsewhere));
    QCOMPARE(dock.folder(), elsewhere.parent_path());
    QTRY_VERIFY_WITH_TIMEOUT(!dock.scanning(), kScanMs);
    QCOMPARE(dock.proxy().rowCount(), 1);
    QCOMPARE(cellText(dock, 0, 0), QStringLiteral("KRN00005.001"));
    QCOMPARE(dock.table().currentIndex().row(), 0);

    // The View menu's toggle on a hidden, empty list shows the current event's folder.
    GuiFixture g;
    const fs::path event = g.write("KRN00007.001", k100File(7));
    QVERIFY(g.window().loadEvent(event));
    g.window().actions().mEventsList->trigger();
    QCOMPARE(g.window().eventsDock().folder(), event.parent_path());
}

void EventsDockTest::anUnreadableFileShowsItsMessage() {
    GuiFixture f;
    const fs::path folder = eventFolder(f, {{"KRN00001.001", k100File(1)},
                                            {"KRN00000.001", badTagFile()},
                                            {"KRN00003.001", corruptK100File()}});
    gui::EventsDock& dock = listFolder(f, folder);
    dock.table().sortByColumn(0, Qt::AscendingOrder);
    QCOMPARE(dock.proxy().rowCount(), 3);
    const int bad = rowOfFile(dock, QStringLiteral("KRN00000.001"));
    QVERIFY(bad >= 0);
    QCOMPARE(cellText(dock, bad, 1), QStringLiteral("bad filetype: NOTANEVT"));
    // The message runs across the columns of numbers it has none of.
    QTRY_COMPARE(dock.table().columnSpan(bad, 1), dock.proxy().columnCount() - 1);
    const int corrupt = rowOfFile(dock, QStringLiteral("KRN00003.001"));
    QVERIFY(cellText(dock, corrupt, 1).startsWith(QStringLiteral("file corrupt")));
    const int good = rowOfFile(dock, QStringLiteral("KRN00001.001"));
    QCOMPARE(dock.table().columnSpan(good, 1), 1);
    // Spans follow their rows through a sort.
    dock.table().sortByColumn(0, Qt::DescendingOrder);
    const int badNow = rowOfFile(dock, QStringLiteral("KRN00000.001"));
    QCOMPARE(bad, 0);
    QCOMPARE(badNow, 2);
    QTRY_COMPARE(dock.table().columnSpan(badNow, 1), dock.proxy().columnCount() - 1);
    QCOMPARE(dock.table().columnSpan(rowOfFile(dock, QStringLiteral("KRN00001.001")), 1), 1);
}

void EventsDockTest::exceedingEventsAreMarked() {
    GuiFixture f;
    // Limit lines far below and far above any generated peak.
    std::ofstream(f.dir() / "PPVZX.ini") << "[general]\nxLabels=1,10,100\nyLabels=1,10,100\n"
                                            "[Strict]\nunit=mm/s\nline00=1,0.0001,100,0.0001\n"
                                            "[Lenient]\nunit=mm/s\nline00=1,100000,100,100000\n";
    const fs::path folder =
        eventFolder(f, {{"KRN00001.001", k100File(1)}, {"KRN00002.001", k100File(2)}});
    gui::EventsDock& dock = listFolder(f, folder);
    QComboBox& standard = dock.standardCombo();
    QCOMPARE(standard.count(), 3);
    QCOMPARE(standard.currentIndex(), 0);  // nothing chosen in the workspace
    const int ratio = columnTitled(dock, QStringLiteral("Worst ratio"));
    QVERIFY(ratio >= 0);
    QCOMPARE(cellText(dock, 0, ratio), QString());

    standard.setCurrentIndex(1);
    QTRY_VERIFY_WITH_TIMEOUT(!dock.scanning() && dock.proxy().rowCount() == 2, kScanMs);
    for (int r = 0; r < 2; ++r) {
        QVERIFY(cellText(dock, r, ratio).endsWith(QStringLiteral(" exceeds")));
        const QVariant background = dock.proxy().index(r, 0).data(Qt::BackgroundRole);
        QVERIFY(background.isValid());
        const QColor color = background.value<QBrush>().color();
        QVERIFY(color.red() > color.green() && color.red() > color.blue());
    }

    standard.setCurrentIndex(2);
    QTRY_VERIFY_WITH_TIMEOUT(!dock.scanning() && dock.proxy().rowCount() == 2, kScanMs);
    for (int r = 0; r < 2; ++r) {
        const QString text = cellText(dock, r, ratio);
        QVERIFY(!text.isEmpty());
        QVERIFY(!text.contains(QStringLiteral("exceeds")));
        QVERIFY(!dock.proxy().index(r, 0).data(Qt::BackgroundRole).isValid());
    }
}

void EventsDockTest::aFileAddedWhileShownAppears() {
    GuiFixture f;
    const fs::path folder = eventFolder(f, {{"KRN00001.001", k100File(1)}});
    gui::EventsDock& dock = listFolder(f, folder);
    QCOMPARE(dock.proxy().rowCount(), 1);
    f.write("events/KRN00002.001", k100Numbered(42, 2));
    QTRY_COMPARE_WITH_TIMEOUT(dock.proxy().rowCount(), 2, kScanMs);
    const int added = rowOfFile(dock, QStringLiteral("KRN00002.001"));
    QVERIFY(added >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(cellText(dock, rowOfFile(dock, QStringLiteral("KRN00002.001")),
                                       columnTitled(dock, QStringLiteral("No."))),
                              QStringLiteral("42"), kScanMs);
    // A file taken away goes from the list too.
    fs::remove(folder / "KRN00001.001");
    QTRY_COMPARE_WITH_TIMEOUT(dock.proxy().rowCount(), 1, kScanMs);
    QCOMPARE(cellText(dock, 0, 0), QStringLiteral("KRN00002.001"));
}

void EventsDockTest::exportWritesTheShownRows() {
    GuiFixture f;
    const fs::path folder = eventFolder(f, {{"KRN00001.001", k100Numbered(3, 1)},
                                            {"KRN00002.001", k100Numbered(1, 2)},
                                            {"KRN00003.001", k100Numbered(2, 3)},
                                            {"KRN00004.001", badTagFile()}});
    gui::EventsDock& dock = listFolder(f, folder);
    dock.table().sortByColumn(columnTitled(dock, QStringLiteral("No.")), Qt::DescendingOrder);
    dock.filterEdit().setText(QStringLiteral("K100"));  // the unreadable file has no layout
    QCOMPARE(dock.proxy().rowCount(), 3);

    const fs::path target = f.dir() / "list.csv";
    QVERIFY(dock.exportList(target));
    const std::vector<std::string> written = lines(target);
    QCOMPARE(written.size(), std::size_t{1 + 3 * 4});  // the header, a line per slot
    QCOMPARE(written[0], summaryCsvHeader());
    // In the order shown: event 3, 2, 1.
    const char* expected[] = {"KRN00001.001", "KRN00003.001", "KRN00002.001"};
    for (std::size_t i = 1; i < written.size(); ++i) {
        const std::string file = written[i].substr(0, written[i].find(','));
        QCOMPARE(fs::path(file).filename().string(), std::string(expected[(i - 1) / 4]));
        QCOMPARE(file, (folder / expected[(i - 1) / 4]).string());
    }

    // A file that cannot be written is named in the message.
    const fs::path nowhere = f.dir() / "missing" / "list.csv";
    QVERIFY(!dock.exportList(nowhere));
    QCOMPARE(f.prompter().messages.size(), std::size_t{1});
    QVERIFY(f.prompter().messages[0].find(nowhere.string()) != std::string::npos);
}

}  // namespace krnz::test
