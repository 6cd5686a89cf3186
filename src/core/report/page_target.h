// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace krnz::report {

enum class Orientation { Portrait = 0, Landscape = 1 };

// Pen styles by their print-component numbers: 0 solid, 1 dashed, 2 dotted.
enum class PenStyle { Solid = 0, Dash = 1, Dot = 2 };

// Brush styles: 0 filled with the brush colour, 1 not filled.
enum class BrushStyle { Solid = 0, Transparent = 1 };

// Horizontal placement of the text inside a text box; the text starts at the box's top.
enum class TextAlign { Left, Centre, Right };

struct PagePoint {
    double x = 0.0;
    double y = 0.0;
};

// A rectangle on the page, twips.
struct PageRect {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// Margins of the printable area, twips from the page's edges.
struct PageMargins {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// A page to compose a report on, in twips (1/1440 inch) from the page's top-left corner, y
// downwards. The printer, the PDF writer, the preview and the diagram window implement it; tests
// record the calls. Order of use: page properties, startDoc, drawing calls, endDoc. Colours are
// 24-bit RGB with red in the low byte. Text is UTF-8; "\r\n" or "\n" breaks a line.
class PageTarget {
  public:
    virtual ~PageTarget() = default;

    // Page setup, before startDoc; the page extent follows the orientation.
    virtual void setOrientation(Orientation orientation) = 0;
    virtual void setColorMode(int mode) = 0;
    virtual void startDoc() = 0;
    // Ends the document: the page goes to its device (printer, file or preview).
    virtual void endDoc() = 0;

    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
    virtual PageMargins margins() const = 0;
    // Size of one device pixel: the finest step worth drawing.
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;

    // The font of later texts and measurements.
    virtual void setFontBold(bool bold) = 0;
    virtual void setFontSize(double points) = 0;
    // Extent of a text in the current font: the widest line, and the height of all lines.
    virtual double textWidth(std::string_view text) const = 0;
    virtual double textHeight(std::string_view text) const = 0;
    // Height of the text wrapped at word boundaries to `width` ("CalcText", "TextHei").
    virtual double calcTextHeight(std::string_view text, double width) const = 0;
    // Text wrapped to a box, from its top; text that does not fit runs on below the box.
    virtual void textBox(std::string_view text, double left, double top, double width,
                         double height, TextAlign align = TextAlign::Left) = 0;
    // Text with its top-left corner at (x, y) ("CurrentX", "CurrentY", "text").
    virtual void textAt(double x, double y, std::string_view text) = 0;

    virtual void setPenColor(std::int32_t rgb) = 0;
    virtual void setPenStyle(PenStyle style) = 0;
    // Twips; 0 is the finest line the device draws well.
    virtual void setPenWidth(double width) = 0;
    virtual void setBrushColor(std::int32_t rgb) = 0;
    virtual void setBrushStyle(BrushStyle style) = 0;

    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    // Lines joining consecutive points in the current pen: the same as one drawLine per pair,
    // in one call because a trace is long.
    virtual void drawPolyline(std::span<const PagePoint> points);
    // A rectangle between two opposite corners, outlined in the pen and filled with the brush.
    virtual void drawRectangle(double x1, double y1, double x2, double y2) = 0;
};

}  // namespace krnz::report
