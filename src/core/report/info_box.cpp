// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/info_box.h"

#include <algorithm>
#include <vector>

#include "core/report/text_lines.h"

namespace krnz::report {
namespace {

constexpr double kInfoPt = 8.5;
constexpr std::int32_t kBlack = 0x000000;

// A column of labels and the column of their values, line for line.
struct Part {
    const std::string* labelText = nullptr;
    const std::string* valueText = nullptr;
    std::vector<std::string_view> labels;
    std::vector<std::string_view> values;
    double labelWidth = 0.0;
    double valueWidth = 0.0;  // the widest value on one line

    bool present() const { return !labelText->empty() || !valueText->empty(); }
    std::size_t rows() const { return std::max(labels.size(), values.size()); }
    std::string_view value(std::size_t i) const {
        return i < values.size() ? values[i] : std::string_view();
    }
    std::string_view label(std::size_t i) const {
        return i < labels.size() ? labels[i] : std::string_view();
    }
};

Part makePart(PageTarget& target, const std::string& labels, const std::string& values,
              double minLabelWidth) {
    Part p;
    p.labelText = &labels;
    p.valueText = &values;
    if (!labels.empty()) p.labels = textLines(labels);
    if (!values.empty()) p.values = textLines(values);
    p.labelWidth = std::max(minLabelWidth, target.textWidth(labels));
    p.valueWidth = target.textWidth(values);
    return p;
}

// Each row as high as its value wrapped to the value column, so a long value pushes the rows
// below it down together with their labels.
std::vector<double> rowHeights(PageTarget& target, const Part& part, double valueColumn,
                               double lh) {
    std::vector<double> heights;
    for (std::size_t i = 0; i < part.rows(); ++i)
        heights.push_back(std::max(lh, target.calcTextHeight(part.value(i), valueColumn)));
    return heights;
}

double drawPart(PageTarget& target, const Part& part, double left, double top, double width,
                double gap, double lh, bool draw) {
    const double valueColumn = std::max(gap, width - part.labelWidth - gap);
    const std::vector<double> heights = rowHeights(target, part, valueColumn, lh);
    double total = 0.0;
    for (const double h : heights) total += h;
    if (!draw) return total;
    const bool oneLineEach =
        std::all_of(heights.begin(), heights.end(), [&](double h) { return h <= lh; });
    if (oneLineEach) {
        // Labels in one box, values in another beside it.
        target.textBox(*part.labelText, left, top, part.labelWidth, total);
        target.textBox(*part.valueText, left + part.labelWidth + gap, top, valueColumn, total);
        return total;
    }
    double y = top;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        target.textBox(part.label(i), left, y, part.labelWidth, heights[i]);
        target.textBox(part.value(i), left + part.labelWidth + gap, y, valueColumn, heights[i]);
        y += heights[i];
    }
    return total;
}

struct Metrics {
    double lh, pad, gap, col14, col17, col8;
};

Metrics metricsOf(PageTarget& target) {
    target.setFontBold(false);
    target.setFontSize(kInfoPt);
    const double lh = target.textHeight("X");
    return {lh,
            0.5 * lh,
            0.6 * lh,
            target.textWidth("XXXXXXXXXXXXXX"),
            target.textWidth("XXXXXXXXXXXXXXXXX"),
            target.textWidth("XXXXXXXX")};
}

}  // namespace

double infoBoxWidth(PageTarget& target, const InfoBoxTexts& texts, bool stacked) {
    const Metrics m = metricsOf(target);
    const Part sample = makePart(target, texts.sampleLabels, texts.sampleValues, m.col14);
    const Part user = makePart(target, texts.userCaptions, texts.userValues, m.col8);
    const double sampleW =
        sample.present() ? sample.labelWidth + m.gap + std::max(m.col17, sample.valueWidth) : 0.0;
    const double userW =
        user.present() ? user.labelWidth + m.gap + std::max(m.col17, user.valueWidth) : 0.0;
    if (stacked || !sample.present() || !user.present())
        return 2 * m.pad + std::max(sampleW, userW);
    return 4 * m.pad + sampleW + userW;
}

double printInfoBox(PageTarget& target, const InfoBoxTexts& texts, double left, double top,
                    double width, bool stacked) {
    const Metrics m = metricsOf(target);
    const Part sample = makePart(target, texts.sampleLabels, texts.sampleValues, m.col14);
    const Part user = makePart(target, texts.userCaptions, texts.userValues, m.col8);
    if (!sample.present() && !user.present()) return 0.0;
    const bool both = sample.present() && user.present();

    const double inner = width - 2 * m.pad;
    double sampleWidth = inner;
    if (!stacked && both)
        sampleWidth =
            std::min(inner / 2, sample.labelWidth + m.gap + std::max(m.col17, sample.valueWidth));
    const double userOffset = !stacked && sample.present() ? sampleWidth + 2 * m.pad : 0.0;
    const double userWidth = inner - userOffset;

    const double sampleH =
        sample.present() ? drawPart(target, sample, 0, 0, sampleWidth, m.gap, m.lh, false) : 0.0;
    const double userH =
        user.present() ? drawPart(target, user, 0, 0, userWidth, m.gap, m.lh, false) : 0.0;
    const double height = stacked ? m.pad + sampleH + (both ? 2 * m.pad : 0.0) + userH + m.pad
                                  : m.pad + std::max(sampleH, userH) + m.pad;

    target.setPenColor(kBlack);
    target.setPenWidth(0);
    target.setPenStyle(PenStyle::Solid);
    const double right = left + width;
    const double bottom = top + height;
    target.drawLine(left, top, right, top);
    target.drawLine(right, top, right, bottom);
    target.drawLine(right, bottom, left, bottom);
    target.drawLine(left, bottom, left, top);

    if (sample.present())
        drawPart(target, sample, left + m.pad, top + m.pad, sampleWidth, m.gap, m.lh, true);
    if (user.present()) {
        const double userTop =
            stacked && sample.present() ? top + m.pad + sampleH + 2 * m.pad : top + m.pad;
        drawPart(target, user, left + m.pad + userOffset, userTop, userWidth, m.gap, m.lh, true);
    }
    if (both) {
        if (stacked) {
            const double y = top + m.pad + sampleH + m.pad;
            target.drawLine(left, y, right, y);
        } else {
            const double x = left + m.pad + sampleWidth + m.pad;
            target.drawLine(x, top, x, bottom);
        }
    }
    return height;
}

}  // namespace krnz::report
