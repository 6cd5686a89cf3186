// SPDX-License-Identifier: GPL-3.0-or-later
#include "media_actions_test.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "core/settings/atomic_file.h"
#include "core/settings/general_settings.h"
#include "gui/media/event_export_action.h"
#include "gui/media/media_actions.h"
#include "gui/media/play_channel_dialog.h"
#include "gui/media/sound_output.h"
#include "gui/media/sound_player.h"
#include "gui/view/channel_info_panel.h"
#include "gui/view/graph_area.h"
#include "gui/view/sample_info_panel.h"
#include "gui/view/strip_widget.h"
#include "gui/view/texts.h"
#include "gui_test_support.h"
#include "support/event_builder.h"

namespace krnz::test {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::set<std::string> filesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

std::uint32_t u32At(const std::string& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(k)]);
    return v;
}

std::int16_t i16At(const std::string& bytes, std::size_t offset) {
    const auto lo = static_cast<unsigned char>(bytes[offset]);
    const auto hi = static_cast<unsigned char>(bytes[offset + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

bool hasTwoColours(const QImage& image) {
    if (image.isNull()) return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first) return true;
    return false;
}

// Shows exactly the given slots; the wanted ones first, so that at least one is always shown.
void showOnly(GuiFixture& f, std::initializer_list<int> shown) {
    for (const int c : shown) f.session().setChannelOn(c, true);
    for (int c = 0; c < kSlots; ++c)
        if (std::find(shown.begin(), shown.end(), c) == shown.end())
            f.session().setChannelOn(c, false);
    f.window().formResize();
}

void setPanel(QAction* toggle, bool shown) {
    if (toggle->isChecked() != shown) toggle->trigger();
}

struct PlayLog {
    std::vector<std::string> played;  // the file's bytes at the moment it was handed over
    bool hasOutput = true;
};

class RecordingPlayer final : public gui::SoundPlayer {
  public:
    explicit RecordingPlayer(std::shared_ptr<PlayLog> log) : m_log(std::move(log)) {}
    void play(const fs::path& wavFile) override { m_log->played.push_back(readBytes(wavFile)); }
    void stop() override {}
    bool hasOutput() const override { return m_log->hasOutput; }

  private:
    std::shared_ptr<PlayLog> m_log;
};

std::shared_ptr<PlayLog> recordPlayback(GuiFixture& f) {
    auto log = std::make_shared<PlayLog>();
    gui::SoundOutput& sound = f.window().media().sound();
    sound.setPlayer(std::make_unique<RecordingPlayer>(log));
    sound.setSoundFile(f.dir() / "tmp.wav");
    return log;
}

// The position of the largest magnitude in a slot: where the loudest PCM sample must be.
std::size_t loudestSample(const SampleRecord& rec, int slot) {
    const auto row = rec.sampleData.row(slot);
    std::size_t at = 0;
    for (std::size_t i = 1; i < row.size(); ++i)
        if (std::abs(row[i]) > std::abs(row[at])) at = i;
    return at;
}

}  // namespace

void MediaActionsTest::wholeSampleWritesOnePicturePerActiveStrip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("bitmap") << "ev.bmp" << 1 << QByteArray("bmp")
                            << QStringList{"ev0.bmp", "ev2.bmp"};
    QTest::newRow("upper-case bitmap")
        << "EV.BMP" << 1 << QByteArray("bmp") << QStringList{"EV0.BMP", "EV2.BMP"};
    QTest::newRow("png at zoom 4")
        << "ev.png" << 4 << QByteArray("png") << QStringList{"ev0.png", "ev2.png"};
}

void MediaActionsTest::wholeSampleWritesOnePicturePerActiveStrip() {
    QFETCH(QString, name);
    QFETCH(int, zoom);
    QFETCH(QByteArray, format);
    QFETCH(QStringList, expected);
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    showOnly(f, {0, 2});
    w.selectZoom(zoom);
    const fs::path pics = f.dir() / "pics";
    fs::create_directory(pics);
    w.media().pictures().setFileChooser([&](const QString&) {
        return std::optional<QString>(gui::qstr((pics / gui::stdstr(name)).string()));
    });
    w.actions().mSavePicture->trigger();

    std::set<std::string> want;
    for (const QString& file : expected) want.insert(gui::stdstr(file));
    QCOMPARE(filesIn(pics), want);
    const int wanted[] = {0, 2};
    for (int i = 0; i < 2; ++i) {
        const int slot = wanted[i];
        QImageReader reader(gui::qstr((pics / gui::stdstr(expected[i])).string()));
        QCOMPARE(reader.format(), format);
        const QImage picture = reader.read();
        // The whole strip: the full record at the current zoom, not the part the window shows.
        QCOMPARE(picture.size(), QSize(w.lastLayout().graphs[static_cast<std::size_t>(slot)].width,
                                       w.lastLayout().graphArea.height * zoom));
        QVERIFY(hasTwoColours(picture));
    }
    QVERIFY(f.prompter().messages.empty());
}

void MediaActionsTest::exportWritesTheShownChannelsInTheChosenFormat() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(!w.actions().mExport->isEnabled());  // nothing to export before an event
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    QVERIFY(w.actions().mExport->isEnabled());
    showOnly(f, {0, 2});
    QString startedIn;
    auto choose = [&](const std::string& name, int filter) {
        w.media().exports().setFileChooser([&, name, filter](const QString& start) {
            startedIn = start;
            return std::optional(
                gui::EventExportAction::Choice{gui::qstr((f.dir() / name).string()), filter});
        });
        w.actions().mExport->trigger();
    };
    // A bare name takes the chosen filter's extension.
    choose("event", 0);
    QCOMPARE(startedIn, gui::qstr(f.dir().string()));  // the event's folder
    const std::string csv = readBytes(f.dir() / "event.csv");
    QCOMPARE(csv.substr(0, csv.find('\n')), std::string("time,Geo 1 [mm/s],Geo 3 [mm/s]"));
    // A name with a format's extension keeps it whatever the filter says.
    choose("event.mseed", 0);
    QVERIFY(fs::exists(f.dir() / "event.mseed"));
    QVERIFY(fs::exists(f.dir() / "event.mseed.json"));
    QCOMPARE(fs::file_size(f.dir() / "event.mseed") % 4096, std::uintmax_t{0});
    choose("event", 1);
    const std::string wav = readBytes(f.dir() / "event.wav");
    QCOMPARE(wav.substr(0, 4), std::string("RIFF"));
    QCOMPARE(static_cast<int>(static_cast<unsigned char>(wav[22])), 2);  // two channels
    QVERIFY(f.prompter().messages.empty());

    // A folder that is not there: said, with the file's name, and nothing written.
    choose("missing/event.csv", 0);
    QCOMPARE(f.prompter().messages.size(), std::size_t{1});
    QVERIFY2(f.prompter().messages[0].find("event.csv") != std::string::npos,
             f.prompter().messages[0].c_str());
    QVERIFY(!fs::exists(f.dir() / "missing"));
}

void MediaActionsTest::zoomedPictureStartsBelowTheToolbar_data() {
    QTest::addColumn<bool>("toolbar");
    QTest::addColumn<bool>("sampleInfo");
    QTest::newRow("every panel shown") << true << true;
    QTest::newRow("toolbar hidden") << false << true;
    QTest::newRow("toolbar and sample info hidden") << false << false;
}

void MediaActionsTest::zoomedPictureStartsBelowTheToolbar() {
    QFETCH(bool, toolbar);
    QFETCH(bool, sampleInfo);
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    w.selectZoom(2);
    setPanel(w.actions().mToolbar, toolbar);
    setPanel(w.actions().mSampleInfo, sampleInfo);
    const fs::path file = f.dir() / "zoomed.bmp";
    w.media().pictures().setFileChooser(
        [&](const QString&) { return std::optional<QString>(gui::qstr(file.string())); });
    w.actions().mSavePictureZoomed->trigger();

    QImageReader reader(gui::qstr(file.string()));
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage picture = reader.read().convertToFormat(QImage::Format_RGB32);
    // A hidden sample-info panel still counts in the height.
    const int height = w.sampleInfoPanel().preferredHeight() +
                       w.channelInfoPanel().preferredHeight() + w.lastLayout().graphArea.height;
    QCOMPARE(picture.size(), QSize(w.lastLayout().graphArea.width, height));
    QVERIFY(hasTwoColours(picture));

    // The picture begins with the first panel below the toolbar, whatever is shown above it.
    QWidget& first = sampleInfo ? static_cast<QWidget&>(w.sampleInfoPanel()) : w.channelInfoPanel();
    const QRect top(0, 0, std::min(picture.width(), first.width()), first.height());
    const QImage panel = first.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Nearly every pixel: a text cursor may blink in the panel's fields between two grabs.
    int same = 0;
    for (int y = 0; y < top.height(); ++y)
        for (int x = 0; x < top.width(); ++x) same += picture.pixel(x, y) == panel.pixel(x, y);
    QVERIFY2(
        same >= top.width() * top.height() * 99 / 100,
        qPrintable(
            QStringLiteral("%1 of %2 pixels alike").arg(same).arg(top.width() * top.height())));
    if (!sampleInfo) {
        // Below the end of the window the cleared picture shows.
        for (int x = 0; x < picture.width(); ++x)
            QCOMPARE(picture.pixel(x, picture.height() - 1), qRgb(255, 255, 255));
    }
}

void MediaActionsTest::pictureFolderIsRemembered() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    showOnly(f, {1});
    const fs::path pics = f.dir() / "pics";
    fs::create_directory(pics);
    const std::string folder = pics.string() + "/";
    QStringList starts;
    std::optional<QString> answer = gui::qstr((pics / "ev.bmp").string());
    w.media().pictures().setFileChooser([&](const QString& start) {
        starts << start;
        return answer;
    });

    w.actions().mSavePicture->trigger();
    QCOMPARE(filesIn(pics), std::set<std::string>{"ev1.bmp"});
    QCOMPARE(f.session().general().pictureDir, folder);
    QCOMPARE(
        settings::readGeneralSettings(f.session().paths().generalIniPath(), "elsewhere").pictureDir,
        folder);

    // Cancelled: nothing written, the folder stays.
    answer = std::nullopt;
    w.actions().mSavePicture->trigger();
    QCOMPARE(starts.size(), 2);
    QCOMPARE(starts[1], gui::qstr(folder));

    // A file name too short to take the digit saves nothing and says nothing, and the folder is
    // remembered all the same. The digit never goes into the folder's name.
    const fs::path other = f.dir() / "other";
    fs::create_directory(other);
    answer = gui::qstr((other / "ab").string());
    w.actions().mSavePicture->trigger();
    QVERIFY(filesIn(other).empty());
    QVERIFY(!fs::exists(f.dir() / "othe1r"));
    QCOMPARE(f.session().general().pictureDir, other.string() + "/");
    QVERIFY(f.prompter().messages.empty());
}

void MediaActionsTest::failedPictureWriteKeepsTheOldFile() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    showOnly(f, {0});
    const fs::path pics = f.dir() / "pics";
    fs::create_directory(pics);
    writeBytes(pics / "ev0.bmp", "the earlier picture");
    w.media().pictures().setFileChooser([&](const QString&) {
        return std::optional<QString>(gui::qstr((pics / "ev.bmp").string()));
    });
    settings::detail::setRenameStepForTesting(
        [](const fs::path&, const fs::path&, std::error_code& error) {
            error = std::make_error_code(std::errc::io_error);
        });
    w.actions().mSavePicture->trigger();
    settings::detail::setRenameStepForTesting({});

    QCOMPARE(readBytes(pics / "ev0.bmp"), std::string("the earlier picture"));
    QCOMPARE(filesIn(pics), std::set<std::string>{"ev0.bmp"});
    // The picture's failure is silent. The same fault also kept the picture folder from the
    // settings, which is said, once.
    QCOMPARE(f.prompter().messages.size(), std::size_t{1});
    QVERIFY(f.prompter().messages[0].find("Settings cannot be saved") != std::string::npos);
    QVERIFY(f.prompter().messages[0].find("ev0.bmp") == std::string::npos);
}

void MediaActionsTest::windowGoesToThePrinter() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    fs::path output = f.dir() / "window.pdf";
    bool print = true;
    w.media().pictures().setPrinterChooser([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(gui::qstr(output.string()));
        return print;
    });
    w.actions().mDumpToPrinter->trigger();
    const std::string pdf = readBytes(output);
    QVERIFY(pdf.starts_with("%PDF"));
    QVERIFY(pdf.find("/Subtype /Image") != std::string::npos);

    print = false;
    output = f.dir() / "cancelled.pdf";
    w.actions().mDumpToPrinter->trigger();
    QVERIFY(!fs::exists(output));
    QVERIFY(f.prompter().messages.empty());
}

void MediaActionsTest::clipboardHoldsTheCurrentSamples_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("point") << QLocale::c() << QStringLiteral("1.5\r\n-0.25\r\n0\r\n");
    QTest::newRow("comma") << QLocale(QLocale::Swedish, QLocale::Sweden)
                           << QStringLiteral("1,5\r\n-0,25\r\n0\r\n");
}

void MediaActionsTest::clipboardHoldsTheCurrentSamples() {
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    // An event of three samples made current; slot 0 differs, so it must not be the one copied.
    LoadedEvent loaded{test::makeEvent({{0.0f, 0.0f, 7.0f}, {1.5f, -0.25f, 0.0f}}), std::nullopt};
    f.session().takeEvent(std::move(loaded), f.dir() / "three.tremolog");
    QGuiApplication::clipboard()->setText(QStringLiteral("stale"));

    const QLocale before;
    QLocale::setDefault(locale);
    w.actions().ch[1]->trigger();
    QLocale::setDefault(before);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
}

void MediaActionsTest::playAsksForTheChannelAndHandsOverItsWav() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    const auto log = recordPlayback(f);
    // A longer file from before is not left with a tail of old bytes.
    writeBytes(f.dir() / "tmp.wav", std::string(100000, 'x'));
    std::vector<analysis::PlayChannelChoice> asked;
    std::optional<int> answer = 2;
    w.media().sound().setChannelChooser([&](const analysis::PlayChannelChoice& choice) {
        asked.push_back(choice);
        return answer;
    });

    w.actions().mPlay->trigger();
    QCOMPARE(asked.size(), std::size_t{1});
    QCOMPARE(asked[0].offered, (std::array<bool, kSlots>{true, true, true, true}));
    QCOMPARE(asked[0].chosen, 0);
    QCOMPARE(log->played.size(), std::size_t{1});
    const SampleRecord& rec = f.session().event().sample;
    const auto n = static_cast<std::size_t>(rec.nSamplesPerChannel);
    const std::string& wav = log->played[0];
    QCOMPARE(wav.size(), 44 + 2 * n);
    QCOMPARE(readBytes(f.dir() / "tmp.wav").size(), 44 + 2 * n);
    QCOMPARE(wav.substr(0, 4), std::string("RIFF"));
    QCOMPARE(u32At(wav, 24), static_cast<std::uint32_t>(rec.frq));
    QCOMPARE(u32At(wav, 40), static_cast<std::uint32_t>(2 * n));
    const std::size_t loudest = loudestSample(rec, 2);
    QCOMPARE(std::abs(i16At(wav, 44 + 2 * loudest)), 32766);

    // Not confirmed: nothing plays.
    answer = std::nullopt;
    w.actions().mPlay->trigger();
    QCOMPARE(log->played.size(), std::size_t{1});

    // One channel shown: no question, that channel plays.
    showOnly(f, {3});
    w.actions().mPlay->trigger();
    QCOMPARE(asked.size(), std::size_t{2});
    QCOMPARE(log->played.size(), std::size_t{2});
    QCOMPARE(std::abs(i16At(log->played[1], 44 + 2 * loudestSample(rec, 3))), 32766);
    QVERIFY(f.prompter().messages.empty());
}

void MediaActionsTest::playChannelDialogOffersTheShownChannels() {
    GuiFixture f;
    const analysis::PlayChannelChoice choice =
        analysis::playChannelChoice(std::array<bool, kSlots>{true, false, true, true});
    for (const bool confirm : {true, false}) {
        gui::PlayChannelDialog dialog(choice, f.session().texts());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Play channel"));
        for (int c = 0; c < kSlots; ++c) QCOMPARE(dialog.option(c).isVisibleTo(&dialog), c != 1);
        QCOMPARE(dialog.option(2).text(), QStringLiteral("Channel 3"));
        QVERIFY(dialog.option(0).isChecked());
        QCOMPARE(dialog.chosenChannel(), 0);
        dialog.option(3).click();
        QCOMPARE(dialog.chosenChannel(), 3);
        (confirm ? dialog.okButton() : dialog.cancelButton()).click();
        QCOMPARE(dialog.result(), confirm ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }
}

void MediaActionsTest::silentChannelIsNotPlayed() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("blast.tremolog", cursorTestFile())));
    const auto log = recordPlayback(f);
    showOnly(f, {2});  // a sensor, but every sample 0
    w.actions().mPlay->trigger();
    QCOMPARE(f.prompter().messages,
             std::vector<std::string>{f.session().texts().text("play", "silent")});
    QVERIFY(log->played.empty());
    QVERIFY(!fs::exists(f.dir() / "tmp.wav"));
}

void MediaActionsTest::noSoundOutputSaysSo() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    const auto log = recordPlayback(f);
    log->hasOutput = false;
    bool asked = false;
    w.media().sound().setChannelChooser([&](const analysis::PlayChannelChoice&) {
        asked = true;
        return std::optional<int>(0);
    });
    w.actions().mPlay->trigger();
    QCOMPARE(f.prompter().messages, std::vector<std::string>{gui::kNoSoundOutputMessage});
    QVERIFY2(!asked, "no channel is asked for when nothing can play it");
    QVERIFY(log->played.empty());
}

void MediaActionsTest::eventDumpHasOneLinePerSample() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    // The current samples are dumped: one of them changed in the event made current.
    LoadedEvent loaded{f.session().event(), std::nullopt};
    loaded.event.sample.sampleData(3, 5) = 12.34567f;
    f.session().takeEvent(std::move(loaded), f.session().currentFile());
    w.actions().dbgmnu_print2ascii->trigger();

    const QString text = QString::fromStdString(readBytes(f.dir() / "debug_ascii_data.txt"));
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 2000);
    for (const QString& line : lines) QCOMPARE(line.count(QLatin1Char('\t')), 4);
    QCOMPARE(lines[0].section(QLatin1Char('\t'), 0, 0), QStringLiteral("-0.10000"));
    QCOMPARE(lines[1].section(QLatin1Char('\t'), 0, 0), QStringLiteral("-0.09950"));
    QCOMPARE(lines[5].section(QLatin1Char('\t'), 4, 4), QStringLiteral("12.3457"));
    QVERIFY(f.prompter().messages.empty());
}

void MediaActionsTest::failedEventDumpIsReported() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    QVERIFY(w.loadEvent(f.write("KRN00001.001", k100File())));
    fs::create_directory(f.dir() / "debug_ascii_data.txt");  // nothing can replace a folder
    w.actions().dbgmnu_print2ascii->trigger();
    QCOMPARE(f.prompter().messages.size(), std::size_t{1});
    QVERIFY(f.prompter().messages[0].starts_with("Error "));
    QVERIFY(fs::is_directory(f.dir() / "debug_ascii_data.txt"));
}

void MediaActionsTest::k100ChannelCheck_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("written");
    QTest::newRow("K100") << "KRN00001.001" << 0
                          << "converting channel 1, (channel 2-4 not implemented yet.)" << true;
    QTest::newRow("K200") << "KRN00002.001" << 1 << "function not yet implemented for K200-files"
                          << false;
    QTest::newRow("unknown tag") << "junk.bin" << 2 << "bad filetype: NOTANEVT" << false;
}

void MediaActionsTest::k100ChannelCheck() {
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QFETCH(bool, written);
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const fs::path current = f.write("blast.tremolog", tremologFile());
    QVERIFY(w.loadEvent(current));
    const std::int16_t serial = f.session().event().sample.instrumentSN;
    const std::vector<std::uint8_t> bytes = kind == 0   ? k100File()
                                            : kind == 1 ? k200File()
                                                        : badTagFile();
    const fs::path checked = f.write(gui::stdstr(name), bytes);
    const fs::path dump = f.dir() / "debug_ch2ascii_data.txt";
    writeBytes(dump, "earlier check");
    w.media().debugExports().setFileChooser(
        [&](const QString&) { return std::optional<QString>(gui::qstr(checked.string())); });
    w.actions().dbgmnu_c2ascii->trigger();

    QCOMPARE(f.prompter().messages, std::vector<std::string>{gui::stdstr(message)});
    const std::string text = readBytes(dump);
    if (written) {
        QVERIFY(text.starts_with("K100-file\r\n"));
        const std::size_t table = text.find("\r\ntime\tint\tscaled\r\n");
        QVERIFY(table != std::string::npos);
        const auto rows =
            std::count(text.begin() + static_cast<std::ptrdiff_t>(table) + 2, text.end(), '\n') - 1;
        QCOMPARE(rows, 2000);
    } else {
        QCOMPARE(text, std::string("earlier check"));
    }
    // The check reads the other file only; the shown event stays the current one.
    QCOMPARE(f.session().currentFile(), current);
    QCOMPARE(f.session().event().sample.instrumentSN, serial);
}

}  // namespace krnz::test
