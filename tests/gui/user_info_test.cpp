// SPDX-License-Identifier: GPL-3.0-or-later
#include "user_info_test.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "core/event/event_reader.h"
#include "core/event/user_info.h"
#include "event_generator.h"
#include "gui/event/extra_info_dialog.h"
#include "gui/view/sample_info_panel.h"
#include "gui_test_support.h"

namespace krnz::test {
namespace {

// A Tremolog event without any user text, so that opening it offers the previous texts.
std::vector<std::uint8_t> textlessTremologFile() {
    eventgen::TremologEvent ev = eventgen::makeRealisticTremolog(1000, 2000, 7);
    ev.texts = {};
    return eventgen::writeTremolog(ev);
}

// Types each character as a key press carrying it, as an input method delivers what no key
// on the keyboard has.
void typeCharacters(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
    }
}

std::string bytesOf(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the extra-information dialog of the current event: `edit` works on it, then OK.
template <typename Edit>
void editExtraInfo(gui::MainWindow& w, Edit edit) {
    gui::ExtraInfoDialog& dialog = w.extraInfoDialog();
    QTimer::singleShot(0, &dialog, [&dialog, edit] {
        edit(*dialog.findChild<QLineEdit*>(QStringLiteral("company")),
             *dialog.findChild<QPlainTextEdit*>(QStringLiteral("free")));
        dialog.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    w.moreClientInfo();
}

void type(gui::MainWindow& w, int field, const QString& text) {
    QLineEdit& edit = w.sampleInfoPanel().field(field);
    edit.clear();
    QTest::keyClicks(&edit, text);
}

}  // namespace

void UserInfoTest::krnTextsComeBackFromTheirUserinfoFile() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto first = f.write("KRN00001.001", k100File());
    const auto second = f.write("KRN00001.002", k100File(2));
    QVERIFY(w.loadEvent(first));
    type(w, 0, QStringLiteral("Skanska"));
    type(w, 4, QStringLiteral("first event"));
    {
        UserInfo info = f.session().userInfo();
        info.freeText = "line 1\r\nline 2\r\nline 3";
        f.session().editUserInfo(info);
    }
    f.prompter().answers = {false, false};
    QVERIFY(w.loadEvent(second));
    // The client texts and the print extras are offered; both are declined.
    QCOMPARE(f.prompter().questions.size(), std::size_t{2});
    QCOMPARE(f.session().userInfo(), UserInfo{});
    const auto stored = readUserInfoFile(first);
    QVERIFY(stored.has_value());
    QCOMPARE(stored->client, std::string("Skanska"));
    QCOMPARE(stored->freeText, std::string("line 1\r\nline 2\r\nline 3"));
    QVERIFY(w.sampleInfoPanel().field(0).text().isEmpty());

    type(w, 0, QStringLiteral("Other"));
    QVERIFY(w.loadEvent(first));
    QCOMPARE(w.sampleInfoPanel().field(0).text(), QStringLiteral("Skanska"));
    QCOMPARE(w.sampleInfoPanel().field(4).text(), QStringLiteral("first event"));
    QCOMPARE(readUserInfoFile(second)->client, std::string("Other"));
}

void UserInfoTest::tremologFieldsAreCutAt30And200() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto tremolog = f.write("blast.tremolog", tremologFile());
    QVERIFY(w.loadEvent(tremolog));
    QCOMPARE(w.sampleInfoPanel().field(0).text(), QStringLiteral("Old client"));
    type(w, 0, QString(40, QLatin1Char('C')));
    type(w, 1, QStringLiteral("short"));
    {
        UserInfo info = f.session().userInfo();
        info.freeText = std::string(250, 'f');
        f.session().editUserInfo(info);
    }
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    const LoadedEvent back = readDatafile(tremolog);
    QCOMPARE(back.userInfo->client, std::string(30, 'C'));
    QCOMPARE(back.userInfo->operation, std::string("short"));
    QCOMPARE(back.userInfo->freeText, std::string(200, 'f'));
    QVERIFY(f.prompter().messages.empty());
}

void UserInfoTest::carryOverQuestions() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto& texts = f.session().texts();
    QVERIFY(w.loadEvent(f.write("blast.tremolog", tremologFile())));
    type(w, 3, QStringLiteral("A. Operator"));
    {
        UserInfo info = f.session().userInfo();
        info.company = "Vibra AB";
        f.session().editUserInfo(info);
    }
    // A KRN event without texts: the client texts and the print extras are offered.
    f.prompter().answers = {true, true};
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    QCOMPARE(f.prompter().questions,
             (std::vector<std::string>{texts.text("krn", "copyOldClientInfo"),
                                       texts.text("krn", "copyOldExtraData")}));
    QCOMPARE(w.sampleInfoPanel().field(0).text(), QStringLiteral("Old client"));
    QCOMPARE(w.sampleInfoPanel().field(3).text(), QStringLiteral("A. Operator"));
    QCOMPARE(f.session().userInfo().company, std::string("Vibra AB"));
    // A Tremolog event with a client but no extras: only the extras are offered.
    f.prompter().questions.clear();
    f.prompter().answers = {true};
    QVERIFY(w.loadEvent(f.write("b.tremolog", tremologFile())));
    QCOMPARE(f.prompter().questions,
             std::vector<std::string>{texts.text("krn", "copyOldExtraData")});
    QCOMPARE(f.session().userInfo().company, std::string("Vibra AB"));
    QCOMPARE(w.sampleInfoPanel().field(3).text(), QString());  // the client texts are its own
}

void UserInfoTest::carryOverAnsweredNoLeavesFieldsEmpty() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    type(w, 0, QStringLiteral("Client"));
    f.prompter().answers = {false};
    QVERIFY(w.loadEvent(f.write("KRN00001.002", k100File(2))));
    QCOMPARE(f.prompter().questions.size(), std::size_t{1});  // no extras to offer
    for (int k = 0; k < 5; ++k) QVERIFY(w.sampleInfoPanel().field(k).text().isEmpty());
    QCOMPARE(f.session().previousUserInfo().client, std::string("Client"));
}

void UserInfoTest::extrasDoNotLeakIntoEventsWithoutTexts() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto first = f.write("KRN00001.001", k100File());
    const auto second = f.write("KRN00001.002", k100File(2));
    QVERIFY(w.loadEvent(first));
    {
        UserInfo info = f.session().userInfo();
        info.freeText = "Charge 85 kg / Delay 17 ms / Distance 95 m";
        f.session().editUserInfo(info);
    }
    f.prompter().answers = {false};
    QVERIFY(w.loadEvent(second));
    QCOMPARE(f.prompter().questions,
             std::vector<std::string>{f.session().texts().text("krn", "copyOldExtraData")});
    QCOMPARE(f.session().userInfo(), UserInfo{});

    f.prompter().answers = {false};
    QVERIFY(w.loadEvent(first));
    QCOMPARE(f.session().userInfo().freeText,
             std::string("Charge 85 kg / Delay 17 ms / Distance 95 m"));
    // The second event's texts were never changed: nothing is stored beside it.
    QVERIFY(!std::filesystem::exists(second.string() + ".userinfo"));
}

void UserInfoTest::extraInformationDialog() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto path = f.write("KRN00001.001", k100File());
    QVERIFY(w.loadEvent(path));
    {
        UserInfo info = f.session().userInfo();
        info.company = "Before";
        f.session().editUserInfo(info);
    }
    gui::ExtraInfoDialog& dialog = w.extraInfoDialog();
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.findChild<QLineEdit*>(QStringLiteral("company"))
            ->setText(QStringLiteral("Vibra AB"));
        dialog.findChild<QPlainTextEdit*>(QStringLiteral("free"))
            ->setPlainText(QStringLiteral("one\ntwo"));
        dialog.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    w.moreClientInfo();
    QCOMPARE(f.session().userInfo().company, std::string("Vibra AB"));
    QCOMPARE(f.session().userInfo().freeText, std::string("one\r\ntwo"));
    QTimer::singleShot(0, &dialog, [&dialog] {
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("company"))->text(),
                 QStringLiteral("Vibra AB"));
        dialog.findChild<QLineEdit*>(QStringLiteral("company"))
            ->setText(QStringLiteral("discarded"));
        dialog.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
    });
    w.moreClientInfo();
    QCOMPARE(f.session().userInfo().company, std::string("Vibra AB"));
    QVERIFY2(!readUserInfoFile(path).has_value(), "the dialog writes nothing itself");
}

void UserInfoTest::goneEventFileAsksBeforeStoring() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto path = f.write("KRN00001.001", k100File());
    QVERIFY(w.loadEvent(path));
    type(w, 0, QStringLiteral("Client"));
    const auto moved = f.dir() / "elsewhere.001";
    std::filesystem::rename(path, moved);
    f.prompter().answers = {false};
    QVERIFY(w.loadEvent(f.write("KRN00001.002", k100File(2))));
    QCOMPARE(f.prompter().questions.front(), f.session().texts().text("krn", "fileExistError"));
    QVERIFY(!std::filesystem::exists(userInfoPath(path)));
}

void UserInfoTest::tremologFieldsStopAtTheirLength() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("blast.tremolog", tremologFile())));
    // A 57-character operator: the window and the stored texts both stop at 30.
    const QString operatorName = QString(57, QLatin1Char('K'));
    type(w, 3, operatorName);
    QCOMPARE(w.sampleInfoPanel().field(3).text(), operatorName.left(30));
    QCOMPARE(f.session().userInfo().operatorName, std::string(30, 'K'));
    // The free text counts a line break as one character, as the file stores it.
    editExtraInfo(w, [](QLineEdit& company, QPlainTextEdit& free) {
        QTest::keyClicks(&company, QString(35, QLatin1Char('c')));
        free.clear();
        QTest::keyClicks(&free, QString(150, QLatin1Char('a')));
        QTest::keyClick(&free, Qt::Key_Return);
        QTest::keyClicks(&free, QString(60, QLatin1Char('b')));
    });
    QCOMPARE(f.session().userInfo().company, std::string(30, 'c'));
    QCOMPARE(f.session().userInfo().freeText,
             std::string(150, 'a') + "\r\n" + std::string(49, 'b'));
    // A paste into the middle of a full text is what gets cut, not the text around it.
    editExtraInfo(w, [](QLineEdit&, QPlainTextEdit& free) {
        QTextCursor cursor = free.textCursor();
        cursor.setPosition(10);
        free.setTextCursor(cursor);
        free.insertPlainText(QStringLiteral("XYZ"));
    });
    QCOMPARE(f.session().userInfo().freeText,
             std::string(150, 'a') + "\r\n" + std::string(49, 'b'));

    // A KRN event's ".userinfo" file has room for any length.
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    type(w, 3, operatorName);
    QCOMPARE(w.sampleInfoPanel().field(3).text(), operatorName);
    editExtraInfo(w, [](QLineEdit& company, QPlainTextEdit&) {
        company.clear();
        QTest::keyClicks(&company, QString(35, QLatin1Char('c')));
    });
    QCOMPARE(f.session().userInfo().company, std::string(35, 'c'));
}

void UserInfoTest::charactersWindows1252CannotHoldAreRefused() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto path = f.write("KRN00001.001", k100File());
    QVERIFY(w.loadEvent(path));
    QLineEdit& notes = w.sampleInfoPanel().field(4);
    notes.clear();
    typeCharacters(&notes, QStringLiteral("PPV \u2264 5 mm/s, Malm\u00F6 \u20AC"));
    QCOMPARE(notes.text(), QStringLiteral("PPV  5 mm/s, Malm\u00F6 \u20AC"));
    QCOMPARE(f.session().userInfo().notes, std::string("PPV  5 mm/s, Malm\xC3\xB6 \xE2\x82\xAC"));
    QCOMPARE(notes.cursorPosition(), notes.text().size());
    // A paste keeps what it can.
    notes.clear();
    notes.insert(QStringLiteral("a\u2264b\U0001F600c"));
    QCOMPARE(notes.text(), QStringLiteral("abc"));
    editExtraInfo(w, [](QLineEdit& company, QPlainTextEdit& free) {
        company.clear();
        typeCharacters(&company, QStringLiteral("\u03A9 Vibra"));
        free.clear();
        typeCharacters(&free, QStringLiteral("x \u2264 y"));
    });
    QCOMPARE(f.session().userInfo().company, std::string(" Vibra"));
    QCOMPARE(f.session().userInfo().freeText, std::string("x  y"));
}

void UserInfoTest::carriedTextsFitTheNewEventsFields() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    type(w, 0, QStringLiteral("Client"));
    type(w, 3, QString(57, QLatin1Char('K')));
    {
        UserInfo info = f.session().userInfo();
        info.freeText = std::string(250, 'f');
        f.session().editUserInfo(info);
    }
    f.prompter().answers = {true, true};
    QVERIFY(w.loadEvent(f.write("quiet.tremolog", textlessTremologFile())));
    QCOMPARE(f.prompter().questions.size(), std::size_t{2});
    // What the window shows is what the session holds and the file will keep.
    QCOMPARE(w.sampleInfoPanel().field(3).text(), QString(30, QLatin1Char('K')));
    QCOMPARE(f.session().userInfo().operatorName, std::string(30, 'K'));
    QCOMPARE(f.session().userInfo().freeText, std::string(200, 'f'));
    QCOMPARE(f.session().userInfo().client, std::string("Client"));
}

void UserInfoTest::userinfoFileStaysWindows1252() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto path = f.write("KRN00001.001", k100File());
    QVERIFY(w.loadEvent(path));
    w.sampleInfoPanel().field(2).clear();
    typeCharacters(&w.sampleInfoPanel().field(2), QStringLiteral("Malm\u00F6\u2264"));
    // Texts that once came from elsewhere may still hold such a character.
    {
        UserInfo info = f.session().userInfo();
        info.supplement = "\xE2\x89\xA4 1";
        f.session().editUserInfo(info);
    }
    w.actions().mSaveUserinfo->trigger();
    const std::string bytes = bytesOf(userInfoPath(path));
    QVERIFY2(bytes.find("location=Malm\xF6\r\n") != std::string::npos, bytes.c_str());
    QVERIFY2(bytes.find("supplement=? 1\r\n") != std::string::npos, bytes.c_str());
    QCOMPARE(readUserInfoFile(path)->location, std::string("Malm\xC3\xB6"));
}

void UserInfoTest::saveUserinfoConfirmsInTheStatusBar() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const auto path = f.write("KRN00001.001", k100File());
    QVERIFY(w.loadEvent(path));
    type(w, 0, QStringLiteral("Client"));
    w.actions().mSaveUserinfo->trigger();
    QCOMPARE(readUserInfoFile(path)->client, std::string("Client"));
    QCOMPARE(w.statusBar()->currentMessage(),
             QString::fromStdString(f.session().texts().text("krn", "userInfoSaved")));
    // Nothing stored, nothing confirmed.
    w.statusBar()->clearMessage();
    std::filesystem::remove(path);
    f.prompter().answers = {false};
    w.actions().mSaveUserinfo->trigger();
    QCOMPARE(f.prompter().questions.size(), std::size_t{1});
    QVERIFY(w.statusBar()->currentMessage().isEmpty());
}

}  // namespace krnz::test
