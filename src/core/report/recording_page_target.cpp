// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/recording_page_target.h"

#include <algorithm>

#include "core/report/text_lines.h"

namespace krnz::report {

RecordingPageTarget::RecordingPageTarget(double width, double height, PageMargins margins)
    : m_width(width), m_height(height), m_margins(margins) {}

std::vector<const PageCall*> RecordingPageTarget::ofKind(PageCall::Op op) const {
    std::vector<const PageCall*> out;
    for (const PageCall& call : m_calls)
        if (call.op == op) out.push_back(&call);
    return out;
}

std::vector<const PageCall*> RecordingPageTarget::texts() const {
    std::vector<const PageCall*> out;
    for (const PageCall& call : m_calls)
        if (call.op == PageCall::Op::TextBox || call.op == PageCall::Op::TextAt)
            out.push_back(&call);
    return out;
}

const PageCall* RecordingPageTarget::findText(std::string_view part) const {
    for (const PageCall* call : texts())
        if (call->text.find(part) != std::string::npos) return call;
    return nullptr;
}

PageCall& RecordingPageTarget::record(PageCall::Op op) {
    PageCall call = m_state;
    call.op = op;
    call.text.clear();
    call.points.clear();
    call.x1 = call.y1 = call.x2 = call.y2 = call.value = 0.0;
    call.align = TextAlign::Left;
    m_calls.push_back(std::move(call));
    return m_calls.back();
}

void RecordingPageTarget::setOrientation(Orientation orientation) {
    m_orientation = orientation;
    record(PageCall::Op::Orientation).value = static_cast<double>(orientation);
}

void RecordingPageTarget::setColorMode(int mode) {
    record(PageCall::Op::ColorMode).value = mode;
}

void RecordingPageTarget::startDoc() {
    m_inDocument = true;
    record(PageCall::Op::StartDoc);
}

void RecordingPageTarget::endDoc() {
    m_inDocument = false;
    record(PageCall::Op::EndDoc);
}

double RecordingPageTarget::pageWidth() const {
    return m_orientation == Orientation::Portrait ? std::min(m_width, m_height)
                                                  : std::max(m_width, m_height);
}

double RecordingPageTarget::pageHeight() const {
    return m_orientation == Orientation::Portrait ? std::max(m_width, m_height)
                                                  : std::min(m_width, m_height);
}

void RecordingPageTarget::setFontBold(bool bold) {
    m_state.bold = bold;
    record(PageCall::Op::FontBold).value = bold ? 1.0 : 0.0;
}

void RecordingPageTarget::setFontSize(double points) {
    m_state.fontSize = points;
    record(PageCall::Op::FontSize).value = points;
}

double RecordingPageTarget::textWidth(std::string_view text) const {
    std::size_t widest = 0;
    for (const std::string_view line : textLines(text)) widest = std::max(widest, charCount(line));
    return static_cast<double>(widest) * charWidth();
}

double RecordingPageTarget::textHeight(std::string_view text) const {
    return static_cast<double>(textLines(text).size()) * lineHeight();
}

std::size_t RecordingPageTarget::wrappedLines(std::string_view text, double width) const {
    const auto perLine = static_cast<std::size_t>(std::max(1.0, width / charWidth()));
    std::size_t count = 0;
    for (const std::string_view line : textLines(text)) {
        // Greedy wrapping at blanks; a word longer than the line is broken.
        std::size_t used = 0;
        std::size_t lines = 1;
        std::size_t start = 0;
        while (start <= line.size()) {
            const std::size_t blank = std::min(line.find(' ', start), line.size());
            std::size_t word = charCount(line.substr(start, blank - start));
            if (used > 0 && used + 1 + word <= perLine) {
                used += 1 + word;
            } else {
                if (used > 0) ++lines;
                while (word > perLine) {
                    ++lines;
                    word -= perLine;
                }
                used = word;
            }
            start = blank + 1;
        }
        count += lines;
    }
    return count;
}

double RecordingPageTarget::calcTextHeight(std::string_view text, double width) const {
    return static_cast<double>(wrappedLines(text, width)) * lineHeight();
}

void RecordingPageTarget::textBox(std::string_view text, double left, double top, double width,
                                  double height, TextAlign align) {
    PageCall& call = record(PageCall::Op::TextBox);
    call.text = text;
    call.x1 = left;
    call.y1 = top;
    call.x2 = width;
    call.y2 = height;
    call.align = align;
}

void RecordingPageTarget::textAt(double x, double y, std::string_view text) {
    PageCall& call = record(PageCall::Op::TextAt);
    call.text = text;
    call.x1 = x;
    call.y1 = y;
}

void RecordingPageTarget::setPenColor(std::int32_t rgb) {
    m_state.penColor = rgb;
    record(PageCall::Op::PenColor).value = rgb;
}

void RecordingPageTarget::setPenStyle(PenStyle style) {
    m_state.penStyle = style;
    record(PageCall::Op::PenStyle).value = static_cast<double>(style);
}

void RecordingPageTarget::setPenWidth(double width) {
    m_state.penWidth = width;
    record(PageCall::Op::PenWidth).value = width;
}

void RecordingPageTarget::setBrushColor(std::int32_t rgb) {
    m_state.brushColor = rgb;
    record(PageCall::Op::BrushColor).value = rgb;
}

void RecordingPageTarget::setBrushStyle(BrushStyle style) {
    m_state.brushStyle = style;
    record(PageCall::Op::BrushStyle).value = static_cast<double>(style);
}

void RecordingPageTarget::drawLine(double x1, double y1, double x2, double y2) {
    PageCall& call = record(PageCall::Op::Line);
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
}

void RecordingPageTarget::drawPolyline(std::span<const PagePoint> points) {
    record(PageCall::Op::Polyline).points.assign(points.begin(), points.end());
}

void RecordingPageTarget::drawRectangle(double x1, double y1, double x2, double y2) {
    PageCall& call = record(PageCall::Op::Rectangle);
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
}

}  // namespace krnz::report
