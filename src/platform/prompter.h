// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace krnz::platform {

// Every message box and question of the program goes through one Prompter, so that tests can
// answer them and read what the user would have been shown.
// What a message box tells: its icon, and the sound some desktops play with it.
enum class Severity { Information, Warning, Error };

class Prompter {
  public:
    virtual ~Prompter() = default;

    // A box with an OK button. Errors are what failed (a file turned down, a write that did
    // not happen); warnings what the user should mend before going on.
    virtual void message(const std::string& text, Severity severity = Severity::Information) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool question(const std::string& text) = 0;
    // The platform colour dialog, preset with `initial` (red in the low byte); nullopt when
    // cancelled.
    virtual std::optional<std::int32_t> chooseColor(std::int32_t initial) = 0;
};

// The prompter in use. The desktop program installs one that shows dialogs; until then, and in
// tests that install none, messages go to stderr and questions are answered No.
Prompter& prompter();
// Installs `p` (not owned) and returns the one it replaces; nullptr restores the default.
Prompter* setPrompter(Prompter* p);

}  // namespace krnz::platform
