// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window_test.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWheelEvent>
#include <functional>

#include "core/event/user_info.h"
#include "core/settings/general_settings.h"
#include "core/view/recent_files.h"
#include "gui/view/channel_info_panel.h"
#include "gui/view/dialog_prompter.h"
#include "gui/view/graph_area.h"
#include "gui/view/sample_info_panel.h"
#include "gui/view/start_screen.h"
#include "gui/view/strip_widget.h"
#include "gui/view/texts.h"
#include "gui_test_support.h"

namespace krnz::test {
namespace {

QString sampleValues(gui::MainWindow& w) {
    return w.sampleInfoPanel().findChild<QLabel*>(QStringLiteral("sampleTextValue"))->text();
}

}  // namespace

void MainWindowTest::startsWithTheWelcomePicture() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.startScreen().isVisible());
    QCOMPARE(w.startScreen().findChild<QLabel*>(QStringLiteral("welcomeLabel"))->text(),
             QStringLiteral("Welcome to KRNZ"));
    QVERIFY(!w.actions().mPrint->isEnabled());
    QVERIFY(!w.actions().mPrint_old->isEnabled());
    QVERIFY(!w.actions().mCursor->isEnabled());
    QVERIFY(w.actions().frqButt->isVisible());
    QVERIFY(w.actions().toolboxButton->isVisible());
    QVERIFY(!w.actions().debugmenu->menuAction()->isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("KRNZ"));
}

void MainWindowTest::welcomePictureTellsWhatToDoAndOpensRecentFiles() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    gui::StartScreen& start = w.startScreen();
    auto* hint = start.findChild<QLabel*>(QStringLiteral("hintLabel"));
    auto* recent = start.findChild<QLabel*>(QStringLiteral("recentLabel"));
    QVERIFY(hint && recent);
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), gui::qtext(f.session().texts(), "krn", "welcomeHint"));
    QVERIFY(hint->text().contains(QStringLiteral("File > Open")));
    QVERIFY(!recent->text().contains(QStringLiteral("<a ")));  // nothing opened yet

    const auto first = f.write("KRN00001.001", k100File(1));
    const auto second = f.write("KRN00002.001", k100File(2));
    QVERIFY(w.loadEvent(first));
    QVERIFY(w.loadEvent(second));
    start.showWelcome();
    // Newest first, each a link by its name.
    const QString text = recent->text();
    QVERIFY2(text.indexOf(QStringLiteral(">KRN00002.001</a>")) >= 0 &&
                 text.indexOf(QStringLiteral(">KRN00002.001</a>")) <
                     text.indexOf(QStringLiteral(">KRN00001.001</a>")),
             qPrintable(text));
    // The second link opens the older event.
    Q_EMIT recent->linkActivated(QStringLiteral("1"));
    QCOMPARE(f.session().currentFile(), first);
    QVERIFY(!start.isVisible());
}

void MainWindowTest::messageBoxesShowTheirSeverity() {
    // The boxes themselves: each severity its icon, a question the question mark.
    gui::DialogPrompter prompter;
    const auto iconOf = [](const std::function<void()>& show) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&icon] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                icon = box->icon();
                box->done(QMessageBox::No);
            }
        });
        show();
        return icon;
    };
    QCOMPARE(iconOf([&] { prompter.message("read", platform::Severity::Error); }),
             QMessageBox::Critical);
    QCOMPARE(iconOf([&] { prompter.message("mend", platform::Severity::Warning); }),
             QMessageBox::Warning);
    QCOMPARE(iconOf([&] { prompter.message("note"); }), QMessageBox::Information);
    QCOMPARE(iconOf([&] { prompter.question("sure?"); }), QMessageBox::Question);

    // A file the reader turns down is an error.
    GuiFixture f;
    QVERIFY(!f.window().loadEvent(f.write("KRN00009.001", badTagFile())));
    QVERIFY(!f.prompter().messages.empty());
    QCOMPARE(f.prompter().severities, std::vector<platform::Severity>(f.prompter().messages.size(),
                                                                      platform::Severity::Error));
}

// A file that ends early opens as before, and the panel says how much of it there is, in the
// language chosen; a whole file has no such line, and the panel keeps its height.
void MainWindowTest::aCutFileSaysSoInThePanel() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    gui::SampleInfoPanel& panel = w.sampleInfoPanel();
    // K100 record length 0: 2000 samples per channel in frames of 8 bytes from byte 512.
    const std::vector<std::uint8_t> whole = k100File();
    QCOMPARE(whole.size(), std::size_t{512 + 2000 * 8});
    QVERIFY(w.loadEvent(f.write("KRN00001.001", whole)));
    QVERIFY(panel.notice().isEmpty());
    const int wholeHeight = panel.preferredHeight();

    std::vector<std::uint8_t> cut = whole;
    cut.resize(512 + 1500 * 8 + 3);  // a frame and a half past 1500 samples
    QVERIFY(w.loadEvent(f.write("KRN00001.002", cut)));
    QCOMPARE(f.session().event().sample.nSamplesPerChannel, 2000);
    QCOMPARE(panel.notice(), QStringLiteral("file holds 1,500 of 2,000 samples per channel; the "
                                            "rest is shown as 0"));
    QVERIFY(panel.preferredHeight() > wholeHeight);
    auto* label = panel.findChild<QLabel*>(QStringLiteral("truncatedNotice"));
    QVERIFY(label != nullptr && label->isVisible());
    QVERIFY(label->geometry().bottom() < panel.height());
    QVERIFY(f.session().setLanguage("svenska.txt"));
    QCOMPARE(panel.notice(), QStringLiteral("filen innehåller 1,500 av 2,000 sampel per kanal; "
                                            "resten visas som 0"));
    QVERIFY(f.session().setLanguage("english.txt"));

    QVERIFY(w.loadEvent(f.write("KRN00001.003", whole)));
    QVERIFY(panel.notice().isEmpty());
    QCOMPARE(panel.preferredHeight(), wholeHeight);
}

void MainWindowTest::opensEachLayout() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        int format;
    } files[] = {{"KRN00001.001", k100File(), kFormatK100},
                 {"KRN00002.002", k200File(), kFormatK200},
                 {"blast.tremolog", tremologFile(), kFormatTremolog}};
    for (const auto& file : files) {
        const auto path = f.write(file.name, file.bytes);
        QVERIFY2(w.loadEvent(path), file.name);
        QCOMPARE(f.session().event().sample.fileFormat, file.format);
        QCOMPARE(f.session().currentFile(), path);
        QVERIFY(w.windowTitle().startsWith(QLatin1String(file.name)));
        QVERIFY(!w.startScreen().isVisible());
        const int H = f.session().rows().rowCount;
        QCOMPARE(H, w.graphArea().height());
        for (int c = 0; c < 4; ++c) {
            const gui::StripWidget& strip = w.graphArea().strip(c);
            QVERIFY(strip.isVisible());
            QCOMPARE(strip.picture().height(), H);
            QCOMPARE(strip.picture().width(), strip.width());
        }
        QVERIFY(w.actions().mPrint->isEnabled());
        QVERIFY2(w.actions().mPrint_old->isEnabled(), "File > Print... is never dead");
        QVERIFY(w.actions().mCursor->isEnabled());
        QVERIFY(!w.actions().mCursor->isChecked());
        QVERIFY(w.actions().mextra->isEnabled());
    }
    QVERIFY(f.prompter().messages.empty());
    QCOMPARE(f.session().general().workDir, f.dir().string() + "/");
}

void MainWindowTest::eightChannelEventsOpenTheChosenGroup() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    int asked = 0;
    w.setChannelGroupChooser([&asked] {
        ++asked;
        return std::optional<int>(2);
    });
    QVERIFY(w.loadEvent(f.write("KRN00002.002", k200File())));
    QCOMPARE(asked, 1);
    QCOMPARE(f.session().event().sample.channelGroup, 2);
    QVERIFY(w.channelInfoPanel().channelTextValue(0).text().startsWith(QStringLiteral("Geo 5")));
    // Closing the chooser without a choice keeps the group.
    w.setChannelGroupChooser([] { return std::optional<int>(); });
    QVERIFY(w.loadEvent(f.write("KRN00002.003", k200File())));
    QCOMPARE(f.session().event().sample.channelGroup, 2);
    // Other layouts never ask.
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    QCOMPARE(f.session().event().sample.channelGroup, 1);
}

void MainWindowTest::panelsShowTheEventsTexts() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("c.tremolog", cursorTestFile())));
    const QStringList values = sampleValues(w).split(QLatin1Char('\n'));
    QCOMPARE(values.front(), QStringLiteral("3107"));
    QCOMPARE(values[3], QStringLiteral("2 s / 1 kHz"));
    QCOMPARE(values.back(), QStringLiteral("0.2 s/div"));
    QVERIFY(w.channelInfoPanel().channelText(0).text().startsWith(
        QStringLiteral("Channel/Input\nUnit")));
    QVERIFY(w.channelInfoPanel().channelTextValue(3).text().startsWith(QStringLiteral("AC 4\nPa")));
    // Slot 0 peaks at 4000 counts = 31.0 mm/s: normalised with slots 1 and 2 to 40.
    QCOMPARE(w.channelInfoPanel().scaleLine(0).fullScale(), 40.0);
    QCOMPARE(w.channelInfoPanel().scaleLine(2).fullScale(), 40.0);
    // Zoom 4 halves... quarters the span: 0.5 s, grid 0.05 s, and the panel follows.
    w.selectZoom(4);
    QCOMPARE(sampleValues(w).split(QLatin1Char('\n')).back(), QStringLiteral("0.05 s/div"));
}

void MainWindowTest::failedOpensLeaveThePreviousEventWhole() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    // Nothing open yet: a bad file leaves the welcome picture.
    QVERIFY(!w.loadEvent(f.write("KRN00009.009", badTagFile())));
    QCOMPARE(f.prompter().messages.back(), std::string("KRN00009.009: bad filetype: NOTANEVT"));
    QVERIFY(!f.session().hasEvent());
    QVERIFY(w.startScreen().isVisible());

    const auto good = f.write("KRN00001.001", k100File());
    QVERIFY(w.loadEvent(good));
    UserInfo kept = f.session().userInfo();
    kept.client = "Kept";
    f.session().setUserInfo(kept);
    const SampleRecord before = f.session().event().sample;
    const float sample = before.sampleData(1, 100);
    const QString title = w.windowTitle();

    const auto corrupt = f.write("KRN00003.003", corruptK100File());
    QVERIFY(!w.loadEvent(corrupt));
    QCOMPARE(f.prompter().messages.back(), std::string("KRN00003.003: file corrupt"));
    QVERIFY(!w.loadEvent(f.write("KRN00004.004", badTagFile())));
    // A file that cannot be opened says why; only unreadable content is "file corrupt".
    const auto missing = f.dir() / "missing.tremolog";
    QVERIFY(!w.loadEvent(missing));
    QCOMPARE(f.prompter().messages.back(), "File not found: " + missing.string());
    QVERIFY(!w.loadEvent(f.dir()));
    QCOMPARE(f.prompter().messages.back(), f.dir().string() + " is a folder, not an event file");

    const SampleRecord& after = f.session().event().sample;
    QCOMPARE(f.session().currentFile(), good);
    QCOMPARE(after.nSamplesPerChannel, before.nSamplesPerChannel);
    QCOMPARE(after.eventNumber, before.eventNumber);
    QCOMPARE(after.sampleData(1, 100), sample);
    QCOMPARE(f.session().userInfo().client, std::string("Kept"));
    QCOMPARE(w.windowTitle(), title);
    QVERIFY(!w.startScreen().isVisible());
    // Nothing was stored beside the files that failed.
    QVERIFY(!std::filesystem::exists(f.dir() / "KRN00003.003.userinfo"));
    QVERIFY(!std::filesystem::exists(f.dir() / "KRN00004.004.userinfo"));
}

void MainWindowTest::commandLinePathMayBeQuoted() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(!w.openFromCommandLine(
        QString::fromStdString("\"" + (f.dir() / "none.101").string() + "\"")));
    QVERIFY(w.startScreen().isVisible());
    QVERIFY(f.prompter().messages.empty());
    const auto path = f.write("KRN00001.001", k100File());
    QVERIFY(w.openFromCommandLine(QString::fromStdString("\"" + path.string() + "\"")));
    QCOMPARE(f.session().currentFile(), path);
}

void MainWindowTest::panelTogglesMoveTheGraphs() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    gui::MainActions& a = w.actions();
    const int toolbar = a.toolbar->height();
    const int sample = w.sampleInfoPanel().height();
    const int channel = w.channelInfoPanel().height();
    QCOMPARE(w.graphArea().y(), toolbar + sample + channel);
    a.mSampleInfo->trigger();
    QVERIFY(!w.sampleInfoPanel().isVisible());
    QCOMPARE(w.graphArea().y(), toolbar + channel);
    QCOMPARE(w.channelInfoPanel().y(), toolbar);
    a.mChannelInfo->trigger();
    QCOMPARE(w.graphArea().y(), toolbar);
    a.mToolbar->trigger();
    QCOMPARE(w.graphArea().y(), 0);
    QCOMPARE(f.session().rows().rowCount, w.graphArea().height());
    a.mSampleInfo->trigger();
    QCOMPARE(w.graphArea().y(), sample);
}

void MainWindowTest::minimumSizeHolds() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    const double tpp = w.metrics().twipsPerPixel;
    const QSize minimum = w.minimumSize();
    QCOMPARE(minimum.width(), static_cast<int>(std::ceil(9000 / tpp - 1e-9)));
    QCOMPARE(minimum.height(), static_cast<int>(std::ceil(6000 / tpp - 1e-9)));
    w.resize(200, 150);
    QApplication::processEvents();
    QVERIFY(w.width() >= minimum.width());
    QVERIFY(w.height() >= minimum.height());
}

void MainWindowTest::zoomFourScrollsByOneWindowHeight() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    QScrollBar& bar = w.scrollBar();
    QVERIFY(!bar.isVisible());
    const int fullWidth = w.graphArea().width();
    bar.setValue(0);
    w.selectZoom(4);
    QVERIFY(bar.isVisible());
    QCOMPARE(bar.pageStep(), 333);
    QCOMPARE(bar.maximum(), 999);
    QCOMPARE(bar.value(), 0);
    QCOMPARE(w.graphArea().width(), fullWidth - bar.width());
    const int visible = w.graphArea().height();
    QCOMPARE(w.graphArea().strip(0).height(), 4 * visible);
    QCOMPARE(f.session().rows().rowCount, 4 * visible);

    w.graphArea().strip(0).setFocus();
    QTest::keyClick(&w.graphArea().strip(0), Qt::Key_PageDown);
    QCOMPARE(bar.value(), 333);
    QVERIFY(std::abs(w.graphArea().strip(0).y() + visible) <= 1);
    QTest::keyClick(&w.graphArea().strip(0), Qt::Key_PageDown);
    QTest::keyClick(&w.graphArea().strip(0), Qt::Key_PageDown);
    QTest::keyClick(&w.graphArea().strip(0), Qt::Key_PageDown);
    QCOMPARE(bar.value(), 999);
    QCOMPARE(w.graphArea().strip(0).y(), -3 * visible);
    QTest::keyClick(&w.graphArea().strip(0), Qt::Key_PageUp);
    QCOMPARE(bar.value(), 666);
    w.selectZoom(1);
    QVERIFY(!bar.isVisible());
    QCOMPARE(w.graphArea().strip(0).y(), 0);
}

void MainWindowTest::wheelScrollsAndCtrlWheelZooms() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    QComboBox& zoom = *w.actions().zoomfaktorCombo;
    zoom.setFocus();
    zoom.setCurrentIndex(zoom.findData(4));
    Q_EMIT zoom.activated(zoom.currentIndex());
    QCOMPARE(w.zoom().zoom, 4);
    gui::StripWidget& strip = w.graphArea().strip(0);
    QVERIFY2(strip.hasFocus(), "after a zoom the keys go to the strips again");

    QScrollBar& bar = w.scrollBar();
    const auto turn = [&strip](int angle, Qt::KeyboardModifiers modifiers) {
        QWheelEvent wheel(QPointF(10, 10), strip.mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, angle), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&strip, &wheel);
    };
    turn(-120, Qt::NoModifier);  // one notch towards the user: down
    QCOMPARE(bar.value(), 30);
    turn(-60, Qt::NoModifier);  // half a notch waits for the other half
    QCOMPARE(bar.value(), 30);
    turn(-60, Qt::NoModifier);
    QCOMPARE(bar.value(), 60);
    turn(240, Qt::NoModifier);
    QCOMPARE(bar.value(), 0);
    turn(120, Qt::ControlModifier);
    QCOMPARE(w.zoom().zoom, 8);
    QCOMPARE(zoom.currentData().toInt(), 8);
    turn(-240, Qt::ControlModifier);
    QCOMPARE(w.zoom().zoom, 2);
}

void MainWindowTest::recentFilesAndDropOpenEvents() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto first = f.write("KRN00001.001", k100File());
    const auto second = f.write("KRN00001.002", k100File(2));
    QVERIFY(w.loadEvent(first));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(second.string()))});
    // Qt delivers a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
    QTRY_COMPARE(f.session().currentFile(), second);

    const QList<QAction*> recent = w.actions().recentMenu->actions();
    QCOMPARE(recent.size(), 2);
    QVERIFY(recent[0]->text().endsWith(QStringLiteral("KRN00001.002")));
    recent[1]->trigger();
    QCOMPARE(f.session().currentFile(), first);
}

void MainWindowTest::shutDownStoresSettings() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto path = f.write("KRN00001.001", k100File());
    QVERIFY(w.loadEvent(path));
    UserInfo closing = f.session().userInfo();
    closing.notes = "closing";
    f.session().setUserInfo(closing);
    w.close();
    const auto ini = f.dir() / "krnz.ini";
    const settings::GeneralSettings stored = settings::readGeneralSettings(ini, f.dir());
    QCOMPARE(stored.language, std::string("english.txt"));
    QCOMPARE(stored.sizeWidth, static_cast<std::int32_t>(w.width() * w.metrics().twipsPerPixel));
    QCOMPARE(stored.workDir, f.dir().string() + "/");
    QCOMPARE(view::readRecentFiles(ini), std::vector<std::string>{path.string()});
    QCOMPARE(readUserInfoFile(path)->notes, std::string("closing"));
}

}  // namespace krnz::test
