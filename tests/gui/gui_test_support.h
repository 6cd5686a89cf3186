// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/settings/language_files.h"
#include "gui/view/main_window.h"
#include "gui/view/session.h"
#include "platform/prompter.h"
#include "support/temp_dir.h"

namespace krnz::test {

// Answers the program's questions from a script and keeps every text it was shown.
class ScriptedPrompter : public platform::Prompter {
  public:
    void message(const std::string& text, platform::Severity severity) override {
        messages.push_back(text);
        severities.push_back(severity);
    }
    bool question(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::int32_t> chooseColor(std::int32_t) override {
        if (colors.empty()) return std::nullopt;
        const auto color = colors.front();
        colors.pop_front();
        return color;
    }

    std::vector<std::string> messages;
    std::vector<platform::Severity> severities;  // one per message
    std::vector<std::string> questions;
    std::deque<bool> answers;
    std::deque<std::optional<std::int32_t>> colors;
};

// A program folder of its own (portable: settings and language files in one temporary
// folder), a session on it and a main window of fixed size, with the scripted prompter
// installed for the fixture's life.
class GuiFixture {
  public:
    GuiFixture();
    ~GuiFixture();

    const std::filesystem::path& dir() const { return m_dir.path(); }
    ScriptedPrompter& prompter() { return m_prompter; }
    gui::Session& session() { return *m_session; }
    gui::MainWindow& window() { return *m_window; }

    // Writes an event file into the folder.
    std::filesystem::path write(const std::string& name,
                                const std::vector<std::uint8_t>& bytes) const;

  private:
    TempDir m_dir;
    ScriptedPrompter m_prompter;
    platform::Prompter* m_previous = nullptr;
    std::unique_ptr<settings::LanguageFiles> m_texts;
    std::unique_ptr<gui::Session> m_session;
    std::unique_ptr<gui::MainWindow> m_window;
};

// Event files made by the generator.
std::vector<std::uint8_t> k100File(std::uint32_t seed = 1);
std::vector<std::uint8_t> k200File();
// 2 s at 1 kHz whose only user text is the client "Old client".
std::vector<std::uint8_t> tremologFile();
// 2 s at 1 kHz, 0.25 s pretrigger; slot 0 holds raw +-3000 at samples 800/801 and -4000/3000 at
// 1000/1001, zero elsewhere; 254/32768 mm/s per count. Slot 1 has no sensor.
std::vector<std::uint8_t> cursorTestFile();
std::vector<std::uint8_t> badTagFile();
std::vector<std::uint8_t> corruptK100File();

// Resizes the window so that its graph area is `rows` pixels high.
void setGraphAreaHeight(gui::MainWindow& window, int rows);

}  // namespace krnz::test
