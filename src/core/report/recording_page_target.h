// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/report/page_target.h"

namespace krnz::report {

// One call on a RecordingPageTarget with the pen and font in force when it was made.
struct PageCall {
    enum class Op {
        Orientation,
        ColorMode,
        StartDoc,
        EndDoc,
        FontBold,
        FontSize,
        TextBox,
        TextAt,
        PenColor,
        PenStyle,
        PenWidth,
        BrushColor,
        BrushStyle,
        Line,
        Polyline,
        Rectangle,
    };
    Op op = Op::StartDoc;
    std::string text;
    // TextBox: left, top, width, height. TextAt: x, y. Line and Rectangle: the two points.
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    double value = 0.0;  // the setting of Orientation .. BrushStyle
    TextAlign align = TextAlign::Left;
    std::vector<PagePoint> points;  // Polyline
    bool bold = false;
    double fontSize = 10.0;
    std::int32_t penColor = 0;
    PenStyle penStyle = PenStyle::Solid;
    double penWidth = 0.0;
    std::int32_t brushColor = 0xFFFFFF;
    BrushStyle brushStyle = BrushStyle::Transparent;
};

// A page target that keeps every call, for tests and for checking a layout without a device.
// Text metrics are those of a fixed-pitch font: each character is 12 twips per point wide and
// each line 24 twips per point high (10 pt: 120 by 240), so positions can be worked out by hand.
class RecordingPageTarget final : public PageTarget {
  public:
    // An A4 page in portrait, with 2 cm margins.
    RecordingPageTarget(double width = 11906, double height = 16838,
                        PageMargins margins = {1134, 1134, 1134, 1134});

    const std::vector<PageCall>& calls() const { return m_calls; }
    std::vector<const PageCall*> ofKind(PageCall::Op op) const;
    // The text calls (boxes and texts at a point) in drawing order.
    std::vector<const PageCall*> texts() const;
    // The first text call whose text contains `part`; nullptr when there is none.
    const PageCall* findText(std::string_view part) const;
    bool inDocument() const { return m_inDocument; }

    void setOrientation(Orientation orientation) override;
    void setColorMode(int mode) override;
    void startDoc() override;
    void endDoc() override;
    double pageWidth() const override;
    double pageHeight() const override;
    PageMargins margins() const override { return m_margins; }
    double twipsPerPixelX() const override { return m_twipsPerPixel; }
    double twipsPerPixelY() const override { return m_twipsPerPixel; }
    // A finer or coarser device; 15 twips (96 dpi) unless set.
    void setTwipsPerPixel(double twips) { m_twipsPerPixel = twips; }
    void setFontBold(bool bold) override;
    void setFontSize(double points) override;
    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;
    double calcTextHeight(std::string_view text, double width) const override;
    void textBox(std::string_view text, double left, double top, double width, double height,
                 TextAlign align) override;
    void textAt(double x, double y, std::string_view text) override;
    void setPenColor(std::int32_t rgb) override;
    void setPenStyle(PenStyle style) override;
    void setPenWidth(double width) override;
    void setBrushColor(std::int32_t rgb) override;
    void setBrushStyle(BrushStyle style) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawPolyline(std::span<const PagePoint> points) override;
    void drawRectangle(double x1, double y1, double x2, double y2) override;

    double charWidth() const { return 12.0 * m_state.fontSize; }
    double lineHeight() const { return 24.0 * m_state.fontSize; }

  private:
    PageCall& record(PageCall::Op op);
    std::size_t wrappedLines(std::string_view text, double width) const;

    double m_width;
    double m_twipsPerPixel = 15.0;
    double m_height;
    PageMargins m_margins;
    Orientation m_orientation = Orientation::Portrait;
    bool m_inDocument = false;
    PageCall m_state;  // pen and font in force
    std::vector<PageCall> m_calls;
};

}  // namespace krnz::report
