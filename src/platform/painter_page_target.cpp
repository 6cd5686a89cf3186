// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/painter_page_target.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPen>
#include <QPolygonF>
#include <QPrinter>
#include <QString>
#include <algorithm>
#include <cmath>

#include "core/common/error.h"
#include "core/report/polyline_thinning.h"
#include "platform/colors.h"

namespace krnz::platform {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;
// The finest line on paper: 0.3 pt. A device pixel of a 1200 dpi printer would be invisible.
constexpr double kHairlineTwips = 6.0;

QString toQString(std::string_view text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

QFont reportFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(200);  // 10 pt in twips
    font.setKerning(true);
    return font;
}

int alignFlag(report::TextAlign align) {
    switch (align) {
        case report::TextAlign::Centre:
            return Qt::AlignHCenter;
        case report::TextAlign::Right:
            return Qt::AlignRight;
        case report::TextAlign::Left:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace

PainterPageTarget::PainterPageTarget(QPagedPaintDevice& device, double minimumMargin)
    : m_paged(&device),
      m_painter(&m_ownPainter),
      m_minimumMargin(minimumMargin),
      m_font(reportFont()) {
    // Positions count from the paper's corner; the report keeps its own margins.
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
        printer->setFullPage(true);
    } else {
        device.setPageMargins(QMarginsF(0, 0, 0, 0));
    }
}

PainterPageTarget::PainterPageTarget(QPainter& painter, QSizeF sizeTwips, double twipsPerPixel)
    : m_painter(&painter),
      m_sizeTwips(sizeTwips),
      m_minimumMargin(0.0),
      m_twipsPerPixel(twipsPerPixel),
      m_font(reportFont()) {}

PainterPageTarget::~PainterPageTarget() {
    if (m_painting && m_paged != nullptr) m_ownPainter.end();
}

QPaintDevice* PainterPageTarget::device() const {
    if (m_paged != nullptr) return m_paged;
    return m_painter->device();
}

void PainterPageTarget::setOrientation(report::Orientation orientation) {
    if (m_paged == nullptr) return;
    m_paged->setPageOrientation(orientation == report::Orientation::Landscape
                                    ? QPageLayout::Landscape
                                    : QPageLayout::Portrait);
}

void PainterPageTarget::setColorMode(int mode) {
    if (auto* printer = dynamic_cast<QPrinter*>(m_paged))
        printer->setColorMode(mode == 1 ? QPrinter::Color : QPrinter::GrayScale);
}

void PainterPageTarget::startDoc() {
    if (m_paged != nullptr) {
        if (!m_ownPainter.begin(m_paged))
            throw Error(kErrPathFileAccess, "The page could not be started on the printer or file");
    } else {
        m_painter->save();
    }
    m_painting = true;
    m_painter->scale(1.0 / twipsPerPixelX(), 1.0 / twipsPerPixelY());
    m_painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    m_painter->setFont(m_font);
    applyPen();
    applyBrush();
}

void PainterPageTarget::endDoc() {
    if (!m_painting) return;
    m_painting = false;
    if (m_paged != nullptr) {
        m_ownPainter.end();
    } else {
        m_painter->restore();
    }
}

double PainterPageTarget::pageWidth() const {
    if (m_paged == nullptr) return m_sizeTwips.width();
    return m_paged->pageLayout().fullRect(QPageLayout::Point).width() * kTwipsPerPoint;
}

double PainterPageTarget::pageHeight() const {
    if (m_paged == nullptr) return m_sizeTwips.height();
    return m_paged->pageLayout().fullRect(QPageLayout::Point).height() * kTwipsPerPoint;
}

report::PageMargins PainterPageTarget::margins() const {
    report::PageMargins m{m_minimumMargin, m_minimumMargin, m_minimumMargin, m_minimumMargin};
    if (auto* printer = dynamic_cast<QPrinter*>(m_paged)) {
        // What the printer cannot reach.
        QPageLayout layout = printer->pageLayout();
        layout.setUnits(QPageLayout::Point);
        const QMarginsF least = layout.minimumMargins();
        m.left = std::max(m.left, least.left() * kTwipsPerPoint);
        m.top = std::max(m.top, least.top() * kTwipsPerPoint);
        m.right = std::max(m.right, least.right() * kTwipsPerPoint);
        m.bottom = std::max(m.bottom, least.bottom() * kTwipsPerPoint);
    }
    return m;
}

double PainterPageTarget::twipsPerPixelX() const {
    return m_twipsPerPixel > 0 ? m_twipsPerPixel : kTwipsPerInch / device()->logicalDpiX();
}

double PainterPageTarget::twipsPerPixelY() const {
    return m_twipsPerPixel > 0 ? m_twipsPerPixel : kTwipsPerInch / device()->logicalDpiY();
}

void PainterPageTarget::setFontBold(bool bold) {
    m_font.setBold(bold);
    if (m_painting) m_painter->setFont(m_font);
}

void PainterPageTarget::setFontSize(double points) {
    m_font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * kTwipsPerPoint))));
    if (m_painting) m_painter->setFont(m_font);
}

double PainterPageTarget::textWidth(std::string_view text) const {
    const QFontMetricsF metrics(m_font, device());
    double widest = 0.0;
    for (const QString& line : toQString(text).split(QChar('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

double PainterPageTarget::textHeight(std::string_view text) const {
    const QFontMetricsF metrics(m_font, device());
    const auto lines = toQString(text).count(QChar('\n')) + 1;
    return static_cast<double>(lines) * metrics.lineSpacing();
}

double PainterPageTarget::calcTextHeight(std::string_view text, double width) const {
    const QFontMetricsF metrics(m_font, device());
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, std::max(width, 1.0), 1e9),
                                               Qt::TextWordWrap | Qt::AlignLeft, toQString(text));
    return std::max(bounds.height(), textHeight(text));
}

void PainterPageTarget::textBox(std::string_view text, double left, double top, double width,
                                double height, report::TextAlign align) {
    // Texts are black whatever the pen draws lines in.
    const QPen pen = m_painter->pen();
    m_painter->setPen(QPen(Qt::black));
    m_painter->drawText(QRectF(left, top, std::max(width, 0.0), std::max(height, 0.0)),
                        Qt::TextWordWrap | Qt::TextDontClip | Qt::AlignTop | alignFlag(align),
                        toQString(text));
    m_painter->setPen(pen);
}

void PainterPageTarget::textAt(double x, double y, std::string_view text) {
    const QPen pen = m_painter->pen();
    m_painter->setPen(QPen(Qt::black));
    m_painter->drawText(QRectF(x, y, 0, 0), Qt::TextDontClip | Qt::AlignTop | Qt::AlignLeft,
                        toQString(text));
    m_painter->setPen(pen);
}

void PainterPageTarget::applyPen() {
    if (!m_painting) return;
    QPen pen(toQColor(m_penColor));
    const double hairline = m_paged != nullptr ? kHairlineTwips : twipsPerPixelX();
    pen.setWidthF(m_penWidth > 0.0 ? m_penWidth : hairline);
    switch (m_penStyle) {
        case report::PenStyle::Dash:
            pen.setStyle(Qt::DashLine);
            break;
        case report::PenStyle::Dot:
            pen.setStyle(Qt::DotLine);
            break;
        case report::PenStyle::Solid:
            pen.setStyle(Qt::SolidLine);
            break;
    }
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    m_painter->setPen(pen);
}

void PainterPageTarget::applyBrush() {
    if (!m_painting) return;
    if (m_brushStyle == report::BrushStyle::Solid) {
        m_painter->setBrush(toQColor(m_brushColor));
    } else {
        m_painter->setBrush(Qt::NoBrush);
    }
}

void PainterPageTarget::setPenColor(std::int32_t rgb) {
    m_penColor = rgb;
    applyPen();
}

void PainterPageTarget::setPenStyle(report::PenStyle style) {
    m_penStyle = style;
    applyPen();
}

void PainterPageTarget::setPenWidth(double width) {
    m_penWidth = width;
    applyPen();
}

void PainterPageTarget::setBrushColor(std::int32_t rgb) {
    m_brushColor = rgb;
    applyBrush();
}

void PainterPageTarget::setBrushStyle(report::BrushStyle style) {
    m_brushStyle = style;
    applyBrush();
}

void PainterPageTarget::drawLine(double x1, double y1, double x2, double y2) {
    m_painter->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterPageTarget::drawPolyline(std::span<const report::PagePoint> points) {
    // A trace can hold millions of points; the device shows no more than its pixels.
    const std::vector<report::PagePoint> shown =
        report::pixelColumnExtremes(points, twipsPerPixelX());
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(shown.size()));
    for (const report::PagePoint& p : shown) polygon.append(QPointF(p.x, p.y));
    m_painter->drawPolyline(polygon);
}

void PainterPageTarget::drawRectangle(double x1, double y1, double x2, double y2) {
    m_painter->drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
}

}  // namespace krnz::platform
