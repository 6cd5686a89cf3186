// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/ppvzx_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

#include "gui/view/texts.h"
#include "platform/painter_page_target.h"
#include "platform/screen_metrics.h"

namespace krnz::gui {
namespace {

// How near the pointer must come to a marker's centre for its tooltip, logical pixels.
constexpr double kHitRadius = 6.0;

}  // namespace

PpvzxView::PpvzxView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ppvzxOuter"));
    setMouseTracking(true);
    setMinimumSize(200, 150);
}

void PpvzxView::draw(const report::PpvzxDiagram& diagram, analysis::Reporter& reporter) {
    const platform::ScreenMetrics metrics = platform::screenMetrics(screen(), devicePixelRatioF());
    m_twipsPerPixel = metrics.twipsPerPixel;
    const qreal ratio = devicePixelRatioF();
    QImage picture(QSize(std::max(1, static_cast<int>(std::lround(width() * ratio))),
                         std::max(1, static_cast<int>(std::lround(height() * ratio)))),
                   QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        platform::PainterPageTarget target(
            painter, QSizeF(width() * m_twipsPerPixel, height() * m_twipsPerPixel),
            m_twipsPerPixel);
        target.startDoc();
        const report::PageRect outer{0, 0, width() * m_twipsPerPixel, height() * m_twipsPerPixel};
        m_drawing = report::drawPPVZX(target, diagram, outer, reporter);
        target.endDoc();
    }
    m_picture = std::move(picture);
    update();
}

QString PpvzxView::tooltipAt(QPointF position) const {
    const double x = position.x() * m_twipsPerPixel;
    const double y = position.y() * m_twipsPerPixel;
    const double radius = kHitRadius * m_twipsPerPixel;
    const report::PpvzxMarker* nearest = nullptr;
    double best = radius * radius;
    for (const report::PpvzxMarker& m : m_drawing.markers) {
        const double d = (m.x - x) * (m.x - x) + (m.y - y) * (m.y - y);
        if (d <= best) {
            best = d;
            nearest = &m;
        }
    }
    return nearest != nullptr ? qstr(nearest->tooltip) : QString();
}

void PpvzxView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_picture.isNull()) painter.drawImage(QPointF(0, 0), m_picture);
}

void PpvzxView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Q_EMIT resized();
}

bool PpvzxView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = tooltipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace krnz::gui
