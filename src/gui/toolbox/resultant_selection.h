// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "core/analysis/operator_chain.h"
#include "core/settings/text_lookup.h"

class QCheckBox;
class QComboBox;

namespace krnz::gui {

// The resultant button's dialog (`toolboxResultantSelection`): boxes "inCh" for the source
// channels 1..4 and the destination channel "outCh". "ok" accepts 2 or 3 sources; anything else
// is reported ("selectNchannels!") and the dialog stays open.
class ResultantSelection : public QDialog {
    Q_OBJECT
  public:
    explicit ResultantSelection(const TextLookup& texts, QWidget* parent = nullptr);

    QCheckBox& inCh(int row) { return *m_inCh[static_cast<std::size_t>(row)]; }
    QComboBox& outCh() { return *m_outCh; }

    // The confirmed choice; nothing until "ok" accepted one.
    const std::optional<analysis::ResultantChoice>& chosen() const { return m_chosen; }

    void ok();

    // Shows the dialog modally; nothing when it is closed without a confirmed choice.
    static std::optional<analysis::ResultantChoice> ask(const TextLookup& texts, QWidget* parent);

  private:
    const TextLookup& m_texts;
    std::array<QCheckBox*, kSlots> m_inCh{};
    QComboBox* m_outCh = nullptr;
    std::optional<analysis::ResultantChoice> m_chosen;
};

}  // namespace krnz::gui
