// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui_test_support.h"

#include <QApplication>
#include <QTest>

#include "event_generator.h"
#include "gui/view/graph_area.h"

namespace krnz::test {

namespace gen = eventgen;
namespace fs = std::filesystem;

GuiFixture::GuiFixture() {
    fs::copy(fs::path(KRNZ_SOURCE_DIR) / "data" / "language", m_dir.path() / "language",
             fs::copy_options::recursive);
    fs::copy(fs::path(KRNZ_SOURCE_DIR) / "data" / "doc", m_dir.path() / "doc",
             fs::copy_options::recursive);
    m_previous = platform::setPrompter(&m_prompter);
    const settings::AppPaths paths = settings::AppPaths::portable(m_dir.path());
    m_texts = std::make_unique<settings::LanguageFiles>(paths.languageDirs());
    m_texts->checkLanguageFile("english.txt");
    m_session = std::make_unique<gui::Session>(paths, *m_texts);
    m_session->setWorkDir(m_dir.path().string());
    m_window = std::make_unique<gui::MainWindow>(*m_session, false);
    m_window->setChannelGroupChooser([] { return std::optional<int>(1); });
    m_window->resize(1000, 760);
    m_window->show();
    QApplication::processEvents();
}

GuiFixture::~GuiFixture() {
    m_window.reset();
    platform::setPrompter(m_previous);
}

fs::path GuiFixture::write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    return m_dir.write(name, bytes);
}

std::vector<std::uint8_t> k100File(std::uint32_t seed) {
    return gen::writeK100(gen::makeRealisticK100(0, seed));
}

std::vector<std::uint8_t> k200File() {
    return gen::writeK200(gen::makeRealisticK200(0, 3));
}

std::vector<std::uint8_t> tremologFile() {
    gen::TremologEvent ev = gen::makeRealisticTremolog(1000, 2000, 5);
    ev.texts = {};
    ev.texts.client = "Old client";
    ev.textPadding = 0x20;
    return gen::writeTremolog(ev);
}

std::vector<std::uint8_t> cursorTestFile() {
    gen::TremologEvent ev;
    ev.header.frq = 1000;
    ev.header.nSecPerChannel = 2;
    ev.header.pretriggerSamples = 250;
    ev.header.sensorKind = {1, 0, 1, 4};
    for (auto& s : ev.samples) s.assign(2000, 0);
    ev.samples[0][800] = -3000;
    ev.samples[0][801] = 3000;
    ev.samples[0][1000] = -4000;
    ev.samples[0][1001] = 3000;
    ev.samples[1][100] = 2000;
    return gen::writeTremolog(ev);
}

std::vector<std::uint8_t> badTagFile() {
    std::vector<std::uint8_t> bytes(1024, 0);
    const char tag[] = "NOTANEVT";
    std::copy(tag, tag + 8, bytes.begin());
    return bytes;
}

std::vector<std::uint8_t> corruptK100File() {
    gen::K100Event ev = gen::makeRealisticK100(0, 9);
    ev.header.channels[2].sensitivityField = 0x0000;  // a zero sensitivity divides by zero
    return gen::writeK100(ev);
}

void setGraphAreaHeight(gui::MainWindow& window, int rows) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int now = window.graphArea().height();
        if (now == rows) return;
        window.resize(window.width(), window.height() + rows - now);
        QApplication::processEvents();
        window.formResize();
    }
}

}  // namespace krnz::test
