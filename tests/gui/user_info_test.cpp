// SPDX-License-Identifier: GPL-3.0-or-later
#include "user_info_test.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/event/event_reader.h"
#include "core/event/user_info.h"
#include "gui/event/extra_info_dialog.h"
#include "gui/view/sample_info_panel.h"
#include "gui_test_support.h"

namespace krnz::test {
namespace {

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

}  // namespace krnz::test
