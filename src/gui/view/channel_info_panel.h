// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <array>
#include <string>
#include <vector>

#include "core/event/event.h"
#include "core/view/main_layout.h"

class QLabel;

namespace krnz::gui {

// The amplitude scale line of one strip (`chTxtScale`): "-F" at the left, "0" in the middle
// and F at the right, in the strip's current unit.
class ScaleLine : public QWidget {
    Q_OBJECT
  public:
    explicit ScaleLine(QWidget* parent = nullptr);
    void setFullScale(double fullScale);
    double fullScale() const { return m_fullScale; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double m_fullScale = 0;
};

// The channel-info panel (`channelTxtBg`): above each strip its text block (`channelText` and
// `channelTextValue`) and its scale line, and the "[s]" caption over the time-scale column.
class ChannelInfoPanel : public QFrame {
    Q_OBJECT
  public:
    explicit ChannelInfoPanel(QWidget* parent = nullptr);

    void setTexts(const std::array<std::vector<std::string>, kSlots>& labels,
                  const std::array<std::vector<std::string>, kSlots>& values);
    void setFullScale(int slot, double fullScale);
    // Places the blocks over their strips (layout pass steps 12 and 13).
    void place(const view::MainLayout& layout);
    int preferredHeight() const;

    QLabel& channelText(int slot) { return *m_labels[static_cast<std::size_t>(slot)]; }
    QLabel& channelTextValue(int slot) { return *m_values[static_cast<std::size_t>(slot)]; }
    ScaleLine& scaleLine(int slot) { return *m_scales[static_cast<std::size_t>(slot)]; }

  private:
    std::array<QLabel*, kSlots> m_labels{};
    std::array<QLabel*, kSlots> m_values{};
    std::array<ScaleLine*, kSlots> m_scales{};
    QLabel* m_secondText;
};

}  // namespace krnz::gui
