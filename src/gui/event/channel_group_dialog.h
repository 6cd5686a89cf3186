// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "core/settings/text_lookup.h"

namespace krnz::gui {

// The channel-group chooser (`select_channels`) shown while an eight-channel event opens:
// `c14` picks channels 1-4, `c58` channels 5-8.
class ChannelGroupDialog : public QDialog {
    Q_OBJECT
  public:
    ChannelGroupDialog(const TextLookup& texts, QWidget* parent = nullptr);

    // 1 or 2, nullopt when closed without a choice.
    std::optional<int> choice() const { return m_choice; }

    // Shows the dialog modally and returns the choice.
    static std::optional<int> ask(const TextLookup& texts, QWidget* parent);

  private:
    std::optional<int> m_choice;
};

}  // namespace krnz::gui
