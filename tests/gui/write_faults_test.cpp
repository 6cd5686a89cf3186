// SPDX-License-Identifier: GPL-3.0-or-later
#include "write_faults_test.h"

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include "core/settings/atomic_file.h"
#include "gui/event/event_list_model.h"
#include "gui/event/events_dock.h"
#include "gui/media/picture_files.h"
#include "gui/settings/options_dialog.h"
#include "gui/view/main_window.h"
#include "gui_test_support.h"
#include "platform/pdf_file.h"
#include "support/injected_fault.h"

namespace krnz::test {
namespace {

namespace fs = std::filesystem;

constexpr int kScanMs = 10000;

std::string fileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::map<std::string, std::string> folderBytes(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = fileText(entry.path());
    return files;
}

bool canCreateFileIn(const fs::path& folder) {
    const fs::path probe = folder / ".krnz-probe";
    std::FILE* file = std::fopen(probe.c_str(), "wb");
    if (!file) return false;
    std::fclose(file);
    fs::remove(probe);
    return true;
}

// Makes a folder read-only for the object's lifetime. Where that does not stop writes (the
// tests run as root), every file write fails at the same step instead, as it would there.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(fs::path folder) : m_folder(std::move(folder)) {
        m_before = fs::status(m_folder).permissions();
        fs::permissions(m_folder, fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
        m_injected = canCreateFileIn(m_folder);
        if (m_injected)
            settings::detail::setFailingStepForTesting(
                settings::detail::FailingStep::CreateTemporary, EACCES);
    }
    ~ReadOnlyFolder() {
        settings::detail::setFailingStepForTesting(std::nullopt, 0);
        fs::permissions(m_folder, m_before);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  private:
    fs::path m_folder;
    fs::perms m_before{};
    bool m_injected = false;
};

// A file a window writes: its name in the output folder and the write; the write says whether
// it went through (false, or krnz::Error with its message, when it did not).
struct WindowWriter {
    std::string file;
    std::function<bool(GuiFixture&, const fs::path& target, std::string& message)> write;
};

QImage somePicture() {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image;
}

const std::map<std::string, WindowWriter>& windowWriters() {
    static const std::map<std::string, WindowWriter> writers = {
        {"picture",
         {"strip.bmp",
          [](GuiFixture&, const fs::path& target, std::string& message) {
              try {
                  gui::writePicture(somePicture(), target);
                  return true;
              } catch (const Error& e) {
                  message = e.text();
                  return false;
              }
          }}},
        {"pdf",
         {"report.pdf",
          [](GuiFixture&, const fs::path& target, std::string& message) {
              try {
                  platform::writePdfFile(target, "report", "krnz", [](report::PageTarget& page) {
                      page.startDoc();
                      page.endDoc();
                  });
                  return true;
              } catch (const Error& e) {
                  message = e.text();
                  return false;
              }
          }}},
        // The Events list's export says what failed in a message box.
        {"events list",
         {"list.csv",
          [](GuiFixture& f, const fs::path& target, std::string& message) {
              gui::EventsDock& dock = f.window().eventsDock();
              const std::size_t said = f.prompter().messages.size();
              const bool written = dock.exportList(target);
              if (f.prompter().messages.size() > said) message = f.prompter().messages.back();
              return written;
          }}},
    };
    return writers;
}

}  // namespace

void WriteFaultsTest::aReadOnlySettingsFolderIsSaidOnce() {
    GuiFixture f;
    gui::MainWindow& w = f.window();
    const fs::path settingsDir = f.session().paths().settingsDir();
    const fs::path first = f.write("KRN00001.001", k100File(1));
    const fs::path second = f.write("KRN00002.001", k100File(2));
    const auto before = folderBytes(settingsDir);
    {
        ReadOnlyFolder readOnly(settingsDir);
        // Each of these writes settings: the folder opened from, the options, the place and
        // choices at closing.
        QVERIFY(w.loadEvent(first));
        QVERIFY(w.loadEvent(second));
        f.window().actions().mOptions->trigger();
        f.window().optionsDialog().findChild<QPushButton*>("apply")->click();
        f.window().optionsDialog().hide();
        QCOMPARE(f.session().currentFile(), second);
        QVERIFY(f.session().hasEvent());
        w.close();

        QCOMPARE(f.prompter().messages.size(), std::size_t{1});
        const std::string& said = f.prompter().messages[0];
        QVERIFY2(said.find(settingsDir.string()) != std::string::npos, said.c_str());
        QVERIFY2(said.find("Settings cannot be saved") != std::string::npos, said.c_str());
    }
    QVERIFY(folderBytes(settingsDir) == before);
}

void WriteFaultsTest::failedWritesKeepTheOldFile_data() {
    QTest::addColumn<QString>("writer");
    QTest::addColumn<int>("fault");
    for (const auto& [name, writer] : windowWriters()) {
        const QString w = QString::fromStdString(name);
        QTest::newRow(qPrintable(w + " read-only folder"))
            << w << static_cast<int>(Fault::ReadOnlyFolder);
        QTest::newRow(qPrintable(w + " disk full")) << w << static_cast<int>(Fault::DiskFull);
        QTest::newRow(qPrintable(w + " rename fails")) << w << static_cast<int>(Fault::RenameFails);
    }
}

void WriteFaultsTest::failedWritesKeepTheOldFile() {
    QFETCH(QString, writer);
    QFETCH(int, fault);
    const WindowWriter& w = windowWriters().at(writer.toStdString());
    GuiFixture f;
    fs::create_directories(f.dir() / "events");
    f.write("events/KRN00001.001", k100File(1));
    // The list the Events list would export.
    f.window().openFolder(f.dir() / "events");
    gui::EventsDock& dock = f.window().eventsDock();
    QTRY_VERIFY_WITH_TIMEOUT(!dock.scanning(), kScanMs);
    QCOMPARE(dock.proxy().rowCount(), 1);
    const fs::path out = f.dir() / "out";
    fs::create_directories(out);
    std::ofstream(out / w.file, std::ios::binary) << "the file the user had";
    const auto before = folderBytes(out);

    std::string message;
    bool written = true;
    {
        InjectedFault injected(static_cast<Fault>(fault));
        written = w.write(f, out / w.file, message);
    }
    QVERIFY(!written);
    QVERIFY2(message.find((out / w.file).string()) != std::string::npos, message.c_str());
    QVERIFY(folderBytes(out) == before);

    // The fault gone, the same write goes through.
    QVERIFY(w.write(f, out / w.file, message));
    QVERIFY(fileText(out / w.file) != before.at(w.file));
}

}  // namespace krnz::test
