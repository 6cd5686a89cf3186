// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/strip_painter.h"

#include <QPainter>
#include <QPoint>
#include <QVector>

#include "core/common/value_format.h"
#include "core/view/time_grid.h"
#include "core/view/trace_points.h"

namespace krnz::gui {
namespace {

QVector<QPoint> toQPoints(const std::vector<view::PixelPoint>& points) {
    QVector<QPoint> out;
    out.reserve(static_cast<qsizetype>(points.size()));
    for (const auto& p : points) out.append(QPoint(p.x, p.y));
    return out;
}

void paintGrid(QPainter& painter, QSize size, const StripPicture& picture) {
    const int right = size.width() - 1;
    const int bottom = size.height() - 1;
    QPen dotted(picture.grid, 0, Qt::DotLine);
    painter.setPen(dotted);
    for (const double row : picture.gridRows) {
        const int y = static_cast<int>(roundHalfEven(row));
        painter.drawLine(0, y, right, y);
    }
    for (int k = 1; k <= view::kAmplitudeGridLines; ++k) {
        const int x = view::amplitudeGridColumn(size.width(), k);
        painter.drawLine(x, 0, x, bottom);
    }
    painter.setPen(QPen(picture.grid, 0, Qt::SolidLine));
    painter.drawLine(0, 0, 0, bottom);
    painter.drawLine(right, 0, right, bottom);
}

}  // namespace

void paintStrip(QPainter& painter, QSize size, const StripPicture& picture) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), picture.background);
    paintGrid(painter, size, picture);
    if (picture.rows && picture.rows->rowCount > 0 && picture.fullScale > 0) {
        painter.setPen(QPen(picture.sample, 0, Qt::SolidLine));
        if (picture.drawStyle == settings::DrawStyle::Lines) {
            const QVector<QPoint> points = toQPoints(
                view::tracePolyline(*picture.rows, picture.slot, size.width(), picture.fullScale));
            painter.drawPolyline(points.constData(), static_cast<int>(points.size()));
        } else {
            const QVector<QPoint> points = toQPoints(
                view::tracePixels(*picture.rows, picture.slot, size.width(), picture.fullScale));
            painter.drawPoints(points.constData(), static_cast<int>(points.size()));
        }
    }
    painter.restore();
}

QImage renderStrip(const StripPicture& picture, QSize size, double devicePixelRatio) {
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        paintStrip(painter, size, picture);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

}  // namespace krnz::gui
