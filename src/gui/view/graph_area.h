// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "core/event/event.h"
#include "core/view/main_layout.h"

namespace krnz::gui {

class ScaleColumn;
class StripWidget;

// The graph area (`Win`): the time-scale column and the channel strips side by side, as tall
// as the area times the zoom and moved together by the scroll bar.
class GraphArea : public QWidget {
    Q_OBJECT
  public:
    explicit GraphArea(QWidget* parent = nullptr);

    ScaleColumn& scaleColumn() { return *m_scale; }
    StripWidget& strip(int slot) { return *m_strips[static_cast<std::size_t>(slot)]; }

    // Places the column and the strips as the layout pass computed them.
    void place(const view::MainLayout& layout);
    // Moves the column and the strips to `top` (0, or negative when scrolled down).
    void setScrollTop(int top);
    int scrollTop() const { return m_top; }

    void setBackground(const QColor& color);

  private:
    ScaleColumn* m_scale;
    std::array<StripWidget*, kSlots> m_strips{};
    int m_top = 0;
};

}  // namespace krnz::gui
