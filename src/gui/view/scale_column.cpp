// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/scale_column.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

namespace krnz::gui {
namespace {

QColor textColorOn(const QColor& background) {
    return background.lightnessF() > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

QRectF labelRect(const QFontMetricsF& metrics, double width, double y) {
    const double h = metrics.height();
    return QRectF(0, y - h / 2, width, h);
}

}  // namespace

ScaleColumn::ScaleColumn(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("scaleWin"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScaleColumn::setGridLabels(std::vector<ScaleLabel> labels) {
    m_grid = std::move(labels);
    update();
}

void ScaleColumn::setCursorLabel(bool shown, const ScaleLabel& label, const QColor& color) {
    m_cursorShown = shown;
    m_cursor = label;
    m_cursorColor = color;
    update();
}

void ScaleColumn::setRefLabel(bool shown, const ScaleLabel& label, const QColor& color) {
    m_refShown = shown;
    m_ref = label;
    m_refColor = color;
    update();
}

int ScaleColumn::preferredWidth() const {
    return QFontMetrics(font()).horizontalAdvance(QStringLiteral("+2.455")) + 10;
}

void ScaleColumn::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The application's colours, not those of the graph area it sits in.
    const QPalette colors = QGuiApplication::palette();
    painter.fillRect(event->rect(), colors.window());
    const QFontMetricsF metrics(font());
    const double w = width();
    painter.setPen(colors.windowText().color());
    // In a low window the grid lines can lie closer than a line of text: a label that would
    // overlap the one above it is left out (its grid line stays).
    double lastBottom = -1e9;
    for (const ScaleLabel& label : m_grid) {
        const QRectF r = labelRect(metrics, w - 4, label.y);
        if (r.top() < lastBottom) continue;
        lastBottom = r.bottom();
        if (r.intersects(event->rect()))
            painter.drawText(r, Qt::AlignRight | Qt::AlignVCenter, label.text);
    }
    auto marker = [&](const ScaleLabel& label, const QColor& color) {
        const QRectF r = labelRect(metrics, w, label.y);
        painter.fillRect(r, color);
        painter.setPen(textColorOn(color));
        painter.drawText(r.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, label.text);
    };
    if (m_refShown) marker(m_ref, m_refColor);
    if (m_cursorShown) marker(m_cursor, m_cursorColor);
}

}  // namespace krnz::gui
