// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/reporter.h"
#include "core/settings/text_lookup.h"

namespace krnz::test {

// Texts that name their key, so that a test sees which message was composed: "<toolbox.badfrq>".
class KeyTexts final : public TextLookup {
  public:
    std::string text(std::string_view section, std::string_view key) const override {
        return "<" + std::string(section) + "." + std::string(key) + ">";
    }
};

class RecordingReporter final : public analysis::Reporter {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace krnz::test
