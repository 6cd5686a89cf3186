// SPDX-License-Identifier: GPL-3.0-or-later
#include "options_dialog_test.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "core/settings/ini_document.h"
#include "gui/settings/color_swatch.h"
#include "gui/settings/options_dialog.h"
#include "gui/view/graph_area.h"
#include "gui/view/strip_widget.h"
#include "gui_test_support.h"

namespace krnz::test {
namespace {

template <typename T>
T* control(gui::OptionsDialog& d, const QString& name) {
    T* c = d.findChild<T*>(name);
    if (!c) qFatal("no control %s", qPrintable(name));
    return c;
}

}  // namespace

void OptionsDialogTest::applyStoresWhatTheControlsHold() {
    GuiFixture f;
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    gui::OptionsDialog& d = f.window().optionsDialog();
    f.window().actions().mOptions->trigger();
    QVERIFY(d.isVisible());
    control<QRadioButton>(d, "pixels")->click();
    f.prompter().colors = {std::int32_t{0x0000FF}};  // pure red, red in the low byte
    control<gui::ColorSwatch>(d, "sampleColor2")->click();
    control<QRadioButton>(d, "manual3")->click();
    QVERIFY(control<QComboBox>(d, "manualScale3")->isEnabled());
    control<QComboBox>(d, "manualScale3")->setCurrentIndex(45);  // 25000, a repeated value
    control<QCheckBox>(d, "printInColor")->click();
    control<QPushButton>(d, "apply")->click();
    QVERIFY(d.isVisible());

    const auto file = f.dir() / "option.ini";
    const settings::IniDocument ini = settings::IniDocument::load(file);
    QCOMPARE(ini.get("graphic", "drawStyle", ""), std::string("pixel"));
    QCOMPARE(ini.get("graphic", "sampleColor2", ""), std::string("255"));
    QCOMPARE(ini.get("scale", "ampScale3", ""), std::string("manual"));
    QCOMPARE(ini.get("scale", "manualScale3", ""), std::string("25000"));
    QCOMPARE(ini.get("general", "printInColor", ""), std::string("True"));
    // The redraw that Apply asks for uses the new style and scale.
    QCOMPARE(f.window().graphArea().strip(3).picture().isNull(), false);
    settings::Options back;
    settings::readOptions(file, back);
    QCOMPARE(back.slotOptions[3].manualScale, std::size_t{38});  // read back at the first 25000
    QCOMPARE(back.slotOptions[2].colors.sampleColor, 255);

    control<QPushButton>(d, "ok")->click();
    QVERIFY(!d.isVisible());
}

void OptionsDialogTest::cancelReadsTheFileBackAsFarAsItSelects() {
    GuiFixture f;
    gui::OptionsDialog& d = f.window().optionsDialog();
    d.show();
    control<QRadioButton>(d, "manual0")->click();
    control<QRadioButton>(d, "auto1")->click();
    control<QPushButton>(d, "apply")->click();  // stored: slot 0 manual, slot 1 auto
    control<QRadioButton>(d, "normalize0")->click();
    control<QRadioButton>(d, "normalize1")->click();
    f.prompter().colors = {std::int32_t{123}};
    control<gui::ColorSwatch>(d, "bkColor0")->click();
    control<QPushButton>(d, "cancel")->click();
    QVERIFY(!d.isVisible());
    const settings::Options& o = f.session().options();
    QVERIFY(o.slotOptions[0].ampScale == settings::AmpScale::Manual);
    // "auto" selects nothing when read, so the last click stays.
    QVERIFY(o.slotOptions[1].ampScale == settings::AmpScale::Normalize);
    QCOMPARE(o.slotOptions[0].colors.bkColor, settings::kDefaultBkColor);
    d.show();
    QVERIFY(control<QRadioButton>(d, "manual0")->isChecked());
    QVERIFY(control<QRadioButton>(d, "normalize1")->isChecked());
    // A cancelled colour dialog keeps the swatch.
    f.prompter().colors = {std::nullopt};
    control<gui::ColorSwatch>(d, "gridColor1")->click();
    QCOMPARE(o.slotOptions[1].colors.gridColor, settings::kDefaultGridColor);
}

void OptionsDialogTest::lastShownChannelStaysShown() {
    GuiFixture f;
    gui::OptionsDialog& d = f.window().optionsDialog();
    d.show();
    for (int c = 0; c < 3; ++c)
        control<QCheckBox>(d, QStringLiteral("channelOn%1").arg(c))->click();
    QVERIFY(f.prompter().messages.empty());
    QCheckBox* last = control<QCheckBox>(d, "channelOn3");
    last->click();
    QVERIFY(last->isChecked());
    QCOMPARE(f.prompter().messages.back(), std::string("At least one channel must be shown."));
    QVERIFY(f.session().options().slotOptions[3].channelOn == settings::CheckState::Checked);
}

namespace {

// Every caption of the main window's menus and toolbar, by object name; the debug menu is for
// developers and stays English.
std::map<QString, QString> menuCaptions(gui::MainWindow& w) {
    std::map<QString, QString> captions;
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        captions[menu->objectName()] = menu->title();
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) continue;
            if (a->menu()) {
                walk(a->menu());
            } else if (!a->objectName().isEmpty()) {
                captions[a->objectName()] = a->text();
            }
        }
    };
    for (QAction* a : w.menuBar()->actions()) {
        if (a->menu() && a->menu()->objectName() == QStringLiteral("debugmenu")) continue;
        if (a->menu())
            walk(a->menu());
        else
            captions[a->objectName()] = a->text();
    }
    for (QToolButton* b : w.findChildren<QToolButton*>())
        if (!b->objectName().isEmpty() && !b->text().isEmpty())
            captions[b->objectName()] = b->text();
    return captions;
}

// The values of a language file, as written.
std::set<QString> languageValues(const std::filesystem::path& file) {
    std::set<QString> values;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const auto eq = line.find('=');
        if (line.empty() || line[0] == ';' || line[0] == '[' || eq == std::string::npos) continue;
        values.insert(QString::fromUtf8(line.substr(eq + 1)).trimmed());
    }
    return values;
}

}  // namespace

void OptionsDialogTest::noMenuCaptionStaysEnglishInSwedish() {
    GuiFixture f;
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    const std::map<QString, QString> english = menuCaptions(f.window());
    gui::OptionsDialog& d = f.window().optionsDialog();
    d.show();
    QListWidget* list = control<QListWidget>(d, "languageList");
    list->setCurrentItem(list->findItems(QStringLiteral("Svenska"), Qt::MatchExactly).front());
    const std::map<QString, QString> swedish = menuCaptions(f.window());
    QCOMPARE(swedish.size(), english.size());
    // A caption may stay as it was only where both files say the same (a name, "Zoom").
    namespace fs = std::filesystem;
    const fs::path languages = fs::path(KRNZ_SOURCE_DIR) / "data" / "language";
    const std::set<QString> englishValues = languageValues(languages / "english.txt");
    const std::set<QString> swedishValues = languageValues(languages / "svenska.txt");
    const auto sharedText = [&](QString caption) {
        caption = caption.section(QLatin1Char('\t'), 0, 0);  // "Insert ref.\tIns"
        return englishValues.count(caption) > 0 && swedishValues.count(caption) > 0;
    };
    for (const auto& [name, caption] : english) {
        if (caption == swedish.at(name))
            QVERIFY2(sharedText(caption),
                     qPrintable(QStringLiteral("%1 \"%2\" is still English").arg(name, caption)));
    }
}

void OptionsDialogTest::languageSwitchRecaptionsOpenWindowsAtOnce() {
    GuiFixture f;
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    gui::OptionsDialog& d = f.window().optionsDialog();
    d.show();
    QListWidget* list = control<QListWidget>(d, "languageList");
    QCOMPARE(list->currentItem()->text(), QStringLiteral("English"));
    const auto swedish = list->findItems(QStringLiteral("Svenska"), Qt::MatchExactly);
    QCOMPARE(swedish.size(), 1);
    const QString englishFile = f.window().actions().mFile->title();
    const QString englishTitle = d.windowTitle();
    list->setCurrentItem(swedish.front());
    const QString swedishFile = QString::fromStdString(f.session().texts().text("krn", "mFile"));
    QVERIFY(swedishFile != englishFile);
    QCOMPARE(f.window().actions().mFile->title(), swedishFile);
    QVERIFY(d.windowTitle() != englishTitle);
    QCOMPARE(f.session().general().language, std::string("svenska.txt"));
    QCOMPARE(f.window().actions().frqButt->text(),
             QString::fromStdString(f.session().texts().text("krn", "frqbutton")));
    list->setCurrentItem(list->findItems(QStringLiteral("English"), Qt::MatchExactly).front());
    QCOMPARE(f.window().actions().mFile->title(), englishFile);
}

void OptionsDialogTest::languagesAreListedByTheirOwnNames() {
    GuiFixture f;
    // A language file without its own name is listed by its file name, never by the English
    // file's name for itself.
    {
        std::ofstream out(f.dir() / "language" / "deutsch.txt");
        out << "[krn]\nmFile=&Datei\n";
    }
    gui::OptionsDialog& d = f.window().optionsDialog();
    d.show();
    QListWidget* list = control<QListWidget>(d, "languageList");
    QStringList shown;
    QStringList files;
    for (int row = 0; row < list->count(); ++row) {
        shown << list->item(row)->text();
        files << list->item(row)->data(Qt::UserRole).toString();
    }
    QCOMPARE(shown, (QStringList{QStringLiteral("deutsch.txt"), QStringLiteral("English"),
                                 QStringLiteral("Svenska")}));
    QCOMPARE(files, (QStringList{QStringLiteral("deutsch.txt"), QStringLiteral("english.txt"),
                                 QStringLiteral("svenska.txt")}));
    // Choosing by the name switches to its file.
    list->setCurrentRow(0);
    QCOMPARE(f.session().texts().languageFile(), std::string("deutsch.txt"));
    QCOMPARE(f.window().actions().mFile->title(), QStringLiteral("&Datei"));
    list->setCurrentRow(2);
    QCOMPARE(f.session().texts().languageFile(), std::string("svenska.txt"));
}

void OptionsDialogTest::slotFramesNameTheChannelGroup() {
    GuiFixture f;
    f.window().setChannelGroupChooser([] { return std::optional<int>(2); });
    QVERIFY(f.window().loadEvent(f.write("KRN00002.002", k200File())));
    gui::OptionsDialog& d = f.window().optionsDialog();
    d.show();
    QCOMPARE(control<QGroupBox>(d, "channelScaleFrame0")->title(), QStringLiteral("Channel 5"));
    QCOMPARE(control<QGroupBox>(d, "channelFrame3")->title(), QStringLiteral("Channel 8"));
    // After every open each slot is normalised, whatever was stored.
    for (int c = 0; c < 4; ++c)
        QVERIFY(control<QRadioButton>(d, QStringLiteral("normalize%1").arg(c))->isChecked());
}

void OptionsDialogTest::cancelReturnsTheLanguageOfTheOpening() {
    GuiFixture f;
    QVERIFY(f.window().loadEvent(f.write("KRN00001.001", k100File())));
    gui::OptionsDialog& d = f.window().optionsDialog();
    const QString englishFile = f.window().actions().mFile->title();
    d.show();
    QListWidget* list = control<QListWidget>(d, "languageList");
    auto pick = [list](const char* name) {
        list->setCurrentItem(list->findItems(QLatin1String(name), Qt::MatchExactly).front());
    };
    pick("Svenska");
    QVERIFY(f.window().actions().mFile->title() != englishFile);  // shown at once
    control<QPushButton>(d, "cancel")->click();
    QCOMPARE(f.session().texts().languageFile(), std::string("english.txt"));
    QCOMPARE(f.session().general().language, std::string("english.txt"));  // what exit stores
    QCOMPARE(f.window().actions().mFile->title(), englishFile);
    d.show();
    QCOMPARE(list->currentItem()->text(), QStringLiteral("English"));

    // Escape cancels too; OK keeps the new language, and a later Cancel keeps it as well.
    pick("Svenska");
    QTest::keyClick(&d, Qt::Key_Escape);
    QCOMPARE(f.session().texts().languageFile(), std::string("english.txt"));
    d.show();
    pick("Svenska");
    control<QPushButton>(d, "ok")->click();
    d.show();
    control<QPushButton>(d, "cancel")->click();
    QCOMPARE(f.session().texts().languageFile(), std::string("svenska.txt"));
}

void OptionsDialogTest::storedPixelStyleComesBack() {
    GuiFixture f;
    gui::OptionsDialog& d = f.window().optionsDialog();
    d.show();
    control<QRadioButton>(d, "pixels")->click();
    control<QPushButton>(d, "ok")->click();
    // The next start reads the options file into default options.
    settings::Options restarted;
    settings::readOptions(f.dir() / "option.ini", restarted);
    QVERIFY(restarted.drawStyle == settings::DrawStyle::Pixels);
    // Cancel reads the file back as well.
    d.show();
    control<QRadioButton>(d, "lines")->click();
    QVERIFY(f.session().options().drawStyle == settings::DrawStyle::Lines);
    control<QPushButton>(d, "cancel")->click();
    QVERIFY(f.session().options().drawStyle == settings::DrawStyle::Pixels);
    d.show();
    QVERIFY(control<QRadioButton>(d, "pixels")->isChecked());
}

}  // namespace krnz::test
