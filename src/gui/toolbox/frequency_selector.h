// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "core/settings/text_lookup.h"

class QSpinBox;

namespace krnz::gui {

// The cut-off dialog of the filter buttons (`toolboxFrequencySelector`): a whole-number box "frq"
// of 1..500 Hz with its range beside it; "ok" hands the frequency on, "cancel" and Esc nothing.
class FrequencySelector : public QDialog {
    Q_OBJECT
  public:
    explicit FrequencySelector(const TextLookup& texts, QWidget* parent = nullptr);

    void setFrequencyText(const QString& text);
    QString frequencyText() const;

    // The confirmed frequency; nothing until "ok" accepted one.
    std::optional<int> chosen() const { return m_chosen; }

    // "ok": stores the frequency and closes.
    void ok();

    // Shows the dialog modally with `startText` in the box; nothing when closed without a
    // confirmed frequency.
    static std::optional<int> ask(const TextLookup& texts, const QString& startText,
                                  QWidget* parent);

  private:
    const TextLookup& m_texts;
    QSpinBox* m_frq = nullptr;
    std::optional<int> m_chosen;
};

}  // namespace krnz::gui
