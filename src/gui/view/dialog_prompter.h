// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/prompter.h"

class QWidget;

namespace krnz::gui {

// Message boxes, questions and the colour dialog of the desktop program, over `parent`.
class DialogPrompter : public platform::Prompter {
  public:
    explicit DialogPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const std::string& text,
                 platform::Severity severity = platform::Severity::Information) override;
    bool question(const std::string& text) override;
    std::optional<std::int32_t> chooseColor(std::int32_t initial) override;

  private:
    QWidget* m_parent;
};

}  // namespace krnz::gui
