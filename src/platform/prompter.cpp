// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/prompter.h"

#include <iostream>

namespace krnz::platform {
namespace {

class StderrPrompter : public Prompter {
  public:
    void message(const std::string& text, Severity) override { std::cerr << text << '\n'; }
    bool question(const std::string& text) override {
        std::cerr << text << " [No]\n";
        return false;
    }
    std::optional<std::int32_t> chooseColor(std::int32_t) override { return std::nullopt; }
};

StderrPrompter& fallback() {
    static StderrPrompter p;
    return p;
}

Prompter* g_current = nullptr;

}  // namespace

Prompter& prompter() {
    return g_current ? *g_current : fallback();
}

Prompter* setPrompter(Prompter* p) {
    Prompter* old = g_current;
    g_current = p;
    return old;
}

}  // namespace krnz::platform
