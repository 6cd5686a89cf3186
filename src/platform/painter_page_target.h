// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPainter>
#include <QSizeF>

#include "core/report/page_target.h"

class QPagedPaintDevice;
class QPaintDevice;

namespace krnz::platform {

// Margins of a PDF page and the least a printed page keeps: 15 mm.
inline constexpr double kDefaultMarginTwips = 850.0;

// The page target on QPainter: twips are mapped onto the device's pixels by one scaling, so the
// same page composes alike on a printer, a PDF writer, the print preview or a widget. Fonts are
// sized in twips (20 per point) under that scaling and measured on the device they are drawn on.
class PainterPageTarget final : public report::PageTarget {
  public:
    // A paged device (QPrinter, also the preview's; QPdfWriter): orientation and margins are set
    // on it, startDoc begins painting from the paper's corner and endDoc ends the page, which
    // prints it, shows it in the preview or finishes the file. `minimumMargin` in twips; a
    // printer's own unprintable margins are kept when larger.
    explicit PainterPageTarget(QPagedPaintDevice& device,
                               double minimumMargin = kDefaultMarginTwips);

    // A painter already painting (a widget, an image) whose drawing area is `sizeTwips`, at
    // `twipsPerPixel` to the painter's unit (0: from the device's logical resolution); startDoc
    // and endDoc only save and restore its state.
    PainterPageTarget(QPainter& painter, QSizeF sizeTwips, double twipsPerPixel = 0);

    PainterPageTarget(const PainterPageTarget&) = delete;
    PainterPageTarget& operator=(const PainterPageTarget&) = delete;
    ~PainterPageTarget() override;

    void setOrientation(report::Orientation orientation) override;
    void setColorMode(int mode) override;
    void startDoc() override;
    void endDoc() override;
    double pageWidth() const override;
    double pageHeight() const override;
    report::PageMargins margins() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    void setFontBold(bool bold) override;
    void setFontSize(double points) override;
    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;
    double calcTextHeight(std::string_view text, double width) const override;
    void textBox(std::string_view text, double left, double top, double width, double height,
                 report::TextAlign align) override;
    void textAt(double x, double y, std::string_view text) override;
    void setPenColor(std::int32_t rgb) override;
    void setPenStyle(report::PenStyle style) override;
    void setPenWidth(double width) override;
    void setBrushColor(std::int32_t rgb) override;
    void setBrushStyle(report::BrushStyle style) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawPolyline(std::span<const report::PagePoint> points) override;
    void drawRectangle(double x1, double y1, double x2, double y2) override;

  private:
    QPaintDevice* device() const;
    void applyPen();
    void applyBrush();

    QPagedPaintDevice* m_paged = nullptr;
    QPainter m_ownPainter;
    QPainter* m_painter;
    QSizeF m_sizeTwips;  // a painter's drawing area; paged devices report their page
    double m_minimumMargin = kDefaultMarginTwips;
    double m_twipsPerPixel = 0;  // a painter's unit when given
    bool m_painting = false;
    QFont m_font;
    std::int32_t m_penColor = 0;
    report::PenStyle m_penStyle = report::PenStyle::Solid;
    double m_penWidth = 0.0;
    std::int32_t m_brushColor = 0xFFFFFF;
    report::BrushStyle m_brushStyle = report::BrushStyle::Transparent;
};

}  // namespace krnz::platform
