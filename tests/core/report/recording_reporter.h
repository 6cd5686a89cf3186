// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/analysis/reporter.h"

namespace krnz::test {

// Keeps the messages the user would have been shown.
class RecordingReporter final : public analysis::Reporter {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace krnz::test
