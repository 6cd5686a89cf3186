// SPDX-License-Identifier: GPL-3.0-or-later
#include "user_guide_test.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <filesystem>
#include <fstream>
#include <set>

#include "gui/view/graph_area.h"
#include "gui/view/strip_widget.h"
#include "gui/view/user_guide_window.h"
#include "gui_test_support.h"

namespace krnz::test {
namespace {

namespace fs = std::filesystem;

QString readGuide(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return QString::fromStdString(text);
}

// The keys of the guide's shortcut table: the first cell of each row under the heading of the
// last section, in backticks.
QStringList tableKeys(const QString& guide) {
    const QString section = guide.section(QStringLiteral("\n## "), -1);
    QStringList keys;
    for (const QString& line : section.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QStringLiteral("| `"))) continue;
        keys << line.section(QLatin1Char('`'), 1, 1);
    }
    return keys;
}

// Every key sequence a main-window action answers to, as the guide writes it.
std::set<QString> actionShortcuts(QWidget& window) {
    std::set<QString> keys;
    for (const QAction* action : window.findChildren<QAction*>())
        for (const QKeySequence& key : action->shortcuts())
            keys.insert(key.toString(QKeySequence::PortableText));
    return keys;
}

// Whether a strip answers the key: it reports a cursor key for it.
bool stripAnswers(gui::StripWidget& strip, const QKeySequence& sequence) {
    QSignalSpy spy(&strip, &gui::StripWidget::keyPressed);
    const QKeyCombination combination = sequence[0];
    QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
    QApplication::sendEvent(&strip, &press);
    return spy.count() == 1;
}

}  // namespace

void UserGuideTest::helpMenuOpensTheGuideOfTheLanguage() {
    GuiFixture f;
    QAction* guide = f.window().actions().mGuide;
    QVERIFY(f.window().actions().mHelp->actions().contains(guide));
    QCOMPARE(guide->text(), QString::fromStdString(f.session().texts().text("krn", "mGuide")));
    // It opens over the middle of the main window, wherever that is, not in a screen corner.
    QRect mainFrame = f.window().frameGeometry();
    mainFrame.moveCenter(f.window().screen()->availableGeometry().center() + QPoint(100, 60));
    f.window().move(mainFrame.topLeft());
    gui::UserGuideWindow& w = f.window().userGuideWindow();
    w.resize(200, 150);
    guide->trigger();
    QVERIFY(w.isVisible());
    const QPoint offset = w.frameGeometry().center() - f.window().frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1, %2 off the middle").arg(offset.x()).arg(offset.y())));
    QCOMPARE(w.file().filename().string(), std::string("english.md"));
    QVERIFY(w.browser().toPlainText().startsWith(QStringLiteral("KRNZ user guide")));
    QCOMPARE(w.windowTitle(),
             QString::fromStdString(f.session().texts().text("krn", "guideTitle")));
    // Its pictures are found beside it.
    const QString html = w.browser().toHtml();
    QVERIFY(html.contains(QStringLiteral("guide_main.png")));
    const QVariant picture = w.browser().document()->resource(
        QTextDocument::ImageResource, QUrl(QStringLiteral("guide_main.png")));
    QVERIFY(picture.isValid());

    // Switching the language while it is open shows the Swedish guide at once.
    QVERIFY(f.session().setLanguage("svenska.txt"));
    QCOMPARE(w.file().filename().string(), std::string("svenska.md"));
    QVERIFY(w.browser().toPlainText().startsWith(QStringLiteral("KRNZ användarhandbok")));
    QCOMPARE(guide->text(), QStringLiteral("&Användarhandbok"));
    // A language without a guide of its own gets the English one.
    {
        std::ofstream out(f.dir() / "language" / "deutsch.txt");
        out << "[krn]\nlanguageName=Deutsch\n";
    }
    QVERIFY(f.session().setLanguage("deutsch.txt"));
    QCOMPARE(w.file().filename().string(), std::string("english.md"));

    // Escape in the text puts the guide away.
    QTest::keyClick(&w.browser(), Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

// The table lists every shortcut of the menus and every key the strips answer, and nothing
// else, in both languages' guides.
void UserGuideTest::shortcutTableNamesEveryKey() {
    GuiFixture f;
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    const std::set<QString> actions = actionShortcuts(f.window());
    QVERIFY(actions.count(QStringLiteral("F1")) == 1);
    QVERIFY(actions.count(QStringLiteral("Ctrl+O")) == 1);
    gui::StripWidget& strip = f.window().graphArea().strip(0);
    for (const char* name : {"english.md", "svenska.md"}) {
        const QStringList keys =
            tableKeys(readGuide(fs::path(KRNZ_SOURCE_DIR) / "data" / "doc" / name));
        QVERIFY2(keys.size() >= 8, name);
        const std::set<QString> listed(keys.begin(), keys.end());
        for (const QString& key : actions)
            QVERIFY2(listed.count(key) == 1,
                     qPrintable(QStringLiteral("%1 lacks %2").arg(QLatin1String(name), key)));
        for (const QString& key : keys) {
            const QKeySequence sequence = QKeySequence::fromString(key, QKeySequence::PortableText);
            QVERIFY2(sequence.count() == 1 && sequence.toString(QKeySequence::PortableText) == key,
                     qPrintable(key));
            QVERIFY2(
                actions.count(key) == 1 || stripAnswers(strip, sequence),
                qPrintable(QStringLiteral("%1: nothing answers %2").arg(QLatin1String(name), key)));
        }
    }
    // The strips' keys are all there too.
    const QStringList english =
        tableKeys(readGuide(fs::path(KRNZ_SOURCE_DIR) / "data" / "doc" / "english.md"));
    for (const Qt::Key key : {Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Up, Qt::Key_Down,
                              Qt::Key_PageUp, Qt::Key_PageDown}) {
        QVERIFY(stripAnswers(strip, QKeySequence(key)));
        QVERIFY2(english.contains(QKeySequence(key).toString(QKeySequence::PortableText)),
                 qPrintable(QKeySequence(key).toString(QKeySequence::PortableText)));
    }
}

}  // namespace krnz::test
