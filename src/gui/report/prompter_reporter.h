// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <string>

#include "core/analysis/reporter.h"
#include "platform/prompter.h"

namespace krnz::gui {

// The report's messages (the diagram's log(0) notes, errors of a page) as message boxes.
class PrompterReporter final : public analysis::Reporter {
  public:
    explicit PrompterReporter(platform::Severity severity = platform::Severity::Warning)
        : m_severity(severity) {}
    void message(const std::string& text) override {
        platform::prompter().message(text, m_severity);
    }

  private:
    platform::Severity m_severity;
};

// The hourglass for the time of a scope.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace krnz::gui
