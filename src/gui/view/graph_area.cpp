// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/graph_area.h"

#include "gui/view/scale_column.h"
#include "gui/view/strip_widget.h"

namespace krnz::gui {

GraphArea::GraphArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Win"));
    setAutoFillBackground(true);
    m_scale = new ScaleColumn(this);
    for (int c = 0; c < kSlots; ++c)
        m_strips[static_cast<std::size_t>(c)] = new StripWidget(c, this);
}

void GraphArea::place(const view::MainLayout& layout) {
    const auto& column = layout.scaleColumn;
    m_scale->setGeometry(column.x, m_top, column.width, column.height);
    for (int c = 0; c < kSlots; ++c) {
        const view::Rect& g = layout.graphs[static_cast<std::size_t>(c)];
        StripWidget* strip = m_strips[static_cast<std::size_t>(c)];
        if (g.visible) {
            strip->setGeometry(g.x, m_top, g.width, g.height);
            strip->show();
        } else {
            strip->hide();
        }
    }
}

void GraphArea::setScrollTop(int top) {
    m_top = top;
    m_scale->move(m_scale->x(), top);
    for (StripWidget* strip : m_strips) {
        strip->move(strip->x(), top);
        strip->update();  // the value labels keep to the bottom of the visible part
    }
}

void GraphArea::setBackground(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

}  // namespace krnz::gui
