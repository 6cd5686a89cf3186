// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "core/settings/text_lookup.h"

class QLineEdit;

namespace krnz::gui {

// The cut-off dialog of the filter buttons (`toolboxFrequencySelector`): a text box "frq" with
// an up-down beside it. "ok" accepts a whole frequency of 1..500 Hz; anything else is reported
// ("badfrq") and the dialog stays open.
class FrequencySelector : public QDialog {
    Q_OBJECT
  public:
    explicit FrequencySelector(const TextLookup& texts, QWidget* parent = nullptr);

    void setFrequencyText(const QString& text);
    QString frequencyText() const;

    // The confirmed frequency; nothing until "ok" accepted one.
    std::optional<int> chosen() const { return m_chosen; }

    // "ok": checks the text, stores the frequency and closes when it is in range.
    void ok();

    // Shows the dialog modally with `startText` in the box; nothing when closed without a
    // confirmed frequency.
    static std::optional<int> ask(const TextLookup& texts, const QString& startText,
                                  QWidget* parent);

  private:
    void step(int delta);

    const TextLookup& m_texts;
    QLineEdit* m_frq = nullptr;
    std::optional<int> m_chosen;
};

}  // namespace krnz::gui
