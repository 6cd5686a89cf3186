// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/operator_codes.h"
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

// A row's entries as a macro file holds them.
inline std::vector<std::string> encoded(const std::vector<analysis::Operator>& row) {
    std::vector<std::string> texts;
    for (const analysis::Operator& op : row) texts.push_back(analysis::encodedEntry(op));
    return texts;
}

}  // namespace krnz::test

namespace krnz::analysis {

// Failed checks show an entry as encoded, with its kind.
inline void PrintTo(const Operator& op, std::ostream* os) {
    *os << '"' << encodedEntry(op) << "\" (kind " << static_cast<int>(op.kind) << ")";
}

}  // namespace krnz::analysis
