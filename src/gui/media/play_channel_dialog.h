// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "core/analysis/wav_writer.h"
#include "core/settings/text_lookup.h"

class QPushButton;
class QRadioButton;

namespace krnz::gui {

// `select_play_channel`: one option per offered channel, the first one chosen at the start.
// Accepted (OK) means play the chosen slot; anything else plays nothing.
class PlayChannelDialog : public QDialog {
    Q_OBJECT
  public:
    PlayChannelDialog(const analysis::PlayChannelChoice& choice, const TextLookup& texts,
                      QWidget* parent = nullptr);

    // The slot (0..3) whose option is selected.
    int chosenChannel() const { return m_chosen; }
    QRadioButton& option(int slot) { return *m_options[static_cast<std::size_t>(slot)]; }
    QPushButton& okButton() { return *m_ok; }
    QPushButton& cancelButton() { return *m_cancel; }

    // Shows the dialog modally; the slot to play, or nullopt when not confirmed.
    static std::optional<int> ask(const analysis::PlayChannelChoice& choice,
                                  const TextLookup& texts, QWidget* parent);

  private:
    std::array<QRadioButton*, kSlots> m_options{};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    int m_chosen = -1;
};

}  // namespace krnz::gui
