// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/ppvzx_drawing.h"

#include <algorithm>
#include <cmath>

#include "core/common/error.h"
#include "core/common/value_format.h"
#include "core/report/error_report.h"
#include "core/report/ppvzx_axes.h"
#include "core/report/segment_clip.h"

namespace krnz::report {
namespace {

constexpr double kTitlePt = 9.0;
constexpr double kAxisTitlePt = 8.0;
constexpr double kNumberPt = 7.5;
constexpr double kMarkerPt = 7.0;
constexpr std::int32_t kBlack = 0x000000;
constexpr std::int32_t kGridGrey = 0xC8C8C8;
constexpr std::int32_t kLimitRed = 0x1A1AB4;  // R 0xB4: red is the low byte
constexpr double kLimitPenTwips = 16.0;

const PpvzxStandard& defaultStandard() {
    static const PpvzxStandard s;
    return s;
}

// Axis numbers left out where they would touch the one kept before.
class OverlapGuard {
  public:
    bool admit(double lo, double hi) {
        if (m_any && lo < m_lastHi) return false;
        m_any = true;
        m_lastHi = hi;
        return true;
    }

  private:
    bool m_any = false;
    double m_lastHi = 0.0;
};

struct Layout {
    PageRect plot;
    double numberLine = 0.0;  // height of a line of axis numbers
};

Layout layOut(PageTarget& target, const PageRect& outer, const std::vector<std::string>& xNumbers,
              const std::vector<std::string>& yNumbers) {
    target.setFontBold(true);
    target.setFontSize(kTitlePt);
    const double titleH = target.textHeight("X");
    target.setFontBold(false);
    target.setFontSize(kAxisTitlePt);
    const double axisTitleH = target.textHeight("X");
    target.setFontSize(kNumberPt);
    const double lh = target.textHeight("0");
    double yColumn = 0.0;
    for (const std::string& t : yNumbers) yColumn = std::max(yColumn, target.textWidth(t));
    const double lastHalf = xNumbers.empty() ? 0.0 : target.textWidth(xNumbers.back()) / 2;

    Layout l;
    l.numberLine = lh;
    l.plot.left = outer.left + yColumn + 0.4 * lh;
    l.plot.top = outer.top + titleH + 0.2 * lh + axisTitleH + 0.6 * lh;
    const double right = outer.right() - std::max(lastHalf, 0.3 * lh);
    const double bottom = outer.bottom() - (0.25 * lh + lh + 0.35 * lh + axisTitleH);
    l.plot.width = std::max(0.0, right - l.plot.left);
    l.plot.height = std::max(0.0, bottom - l.plot.top);
    return l;
}

void drawTitles(PageTarget& target, const PageRect& outer, const Layout& l, const PpvzxDiagram& d,
                const PpvzxStandard& standard) {
    const std::string title =
        d.standard >= 0 ? d.texts.title + " \u2013 " + standard.name : d.texts.title;
    target.setFontBold(true);
    target.setFontSize(kTitlePt);
    const double titleH = target.textHeight(title);
    target.textBox(title, outer.left, outer.top, outer.width, titleH, TextAlign::Centre);
    target.setFontBold(false);
    target.setFontSize(kAxisTitlePt);
    const std::string yTitle = d.texts.yTitle + " [" + standard.stdUnit + "]";
    const double yTop = outer.top + titleH + 0.2 * l.numberLine;
    target.textBox(yTitle, outer.left, yTop, target.textWidth(yTitle), target.textHeight(yTitle));
    // The frequency title is centred across the whole diagram.
    const std::string xTitle = d.texts.xTitle + " [" + d.texts.xUnit + "]";
    const double xw = target.textWidth(xTitle);
    const double xh = target.textHeight(xTitle);
    target.textBox(xTitle, outer.left + (outer.width - xw) / 2, outer.bottom() - xh, xw, xh,
                   TextAlign::Centre);
}

void drawGrid(PageTarget& target, PpvzxAxes& axes, const PpvzxTable& table, const Layout& l,
              const std::vector<std::string>& xNumbers, const std::vector<std::string>& yNumbers) {
    const PageRect& p = l.plot;
    const double lh = l.numberLine;
    const double edgeX = target.twipsPerPixelX();
    const double edgeY = target.twipsPerPixelY();
    target.setPenColor(kGridGrey);
    target.setPenWidth(0);
    target.setFontBold(false);
    target.setFontSize(kNumberPt);

    OverlapGuard xGuard;
    for (std::size_t i = 0; i < table.xLabels.size(); ++i) {
        const double x = axes.xToPixel(table.xLabels[i]);
        if (!(x >= -edgeX && x <= axes.plotWidth() + edgeX)) continue;
        if (x > edgeX && x < axes.plotWidth() - edgeX)
            target.drawLine(p.left + x, p.top, p.left + x, p.bottom());
        const double w = target.textWidth(xNumbers[i]);
        const double left = p.left + x - w / 2;
        if (xGuard.admit(left - 0.3 * lh, left + w))
            target.textBox(xNumbers[i], left, p.bottom() + 0.25 * lh, w, lh, TextAlign::Centre);
    }
    OverlapGuard yGuard;  // from the bottom up: the guard runs along -y
    for (std::size_t i = 0; i < table.yLabels.size(); ++i) {
        const double y = axes.yToPixel(table.yLabels[i]);
        if (!(y >= -edgeY && y <= axes.plotHeight() + edgeY)) continue;
        if (y > edgeY && y < axes.plotHeight() - edgeY)
            target.drawLine(p.left, p.top + y, p.right(), p.top + y);
        const double w = target.textWidth(yNumbers[i]);
        const double top = p.top + y - lh / 2;
        if (yGuard.admit(-(top + lh) - 0.1 * lh, -top))
            target.textBox(yNumbers[i], p.left - 0.4 * lh - w, top, w, lh, TextAlign::Right);
    }
}

void drawLimitLines(PageTarget& target, PpvzxAxes& axes, const PpvzxStandard& standard,
                    const Layout& l, bool color) {
    const PageRect& p = l.plot;
    const PageRect inner{p.left, p.top, axes.plotWidth(), axes.plotHeight()};
    target.setPenColor(color ? kLimitRed : kBlack);
    target.setPenWidth(kLimitPenTwips);
    for (const LimitLine& line : standard.lines) {
        for (std::size_t k = 0; k + 1 < line.lineX.size(); ++k) {
            double x1 = p.left + axes.xToPixel(line.lineX[k]);
            double y1 = p.top + axes.yToPixel(line.lineY[k]);
            double x2 = p.left + axes.xToPixel(line.lineX[k + 1]);
            double y2 = p.top + axes.yToPixel(line.lineY[k + 1]);
            if (clipSegment(inner, x1, y1, x2, y2)) target.drawLine(x1, y1, x2, y2);
        }
    }
    target.setPenWidth(0);
}

std::vector<PpvzxMarker> drawMarkers(PageTarget& target, PpvzxAxes& axes, const PpvzxDiagram& d,
                                     const PpvzxStandard& standard, const Layout& l) {
    std::vector<PpvzxMarker> markers;
    if (d.rec == nullptr) return markers;
    target.setFontBold(true);
    target.setFontSize(kMarkerPt);
    const double h = target.textHeight("0");
    for (int c = 0; c < kSlots; ++c) {
        const auto s = static_cast<std::size_t>(c);
        if (!d.channelOn[s]) continue;
        const std::vector<double>& amps = d.rec->highAmps[s];
        const std::vector<double>& frqs = d.rec->highAmpFrqs[s];
        const std::string caption = std::to_string(c + 1);
        const double w = target.textWidth(caption);
        for (std::size_t j = 0; j < amps.size() && j < frqs.size(); ++j) {
            // A list of the largest half-waves pads with zeros; no half-wave peaks at 0.
            if (!(amps[j] > 0.0)) continue;
            const double x =
                l.plot.left + std::clamp(axes.xToPixel(frqs[j]), 0.0, axes.plotWidth());
            const double y =
                l.plot.top + std::clamp(axes.yToPixel(amps[j]), 0.0, axes.plotHeight());
            target.textBox(caption, x - w / 2, y - h / 2, w, h, TextAlign::Centre);
            markers.push_back({c, x, y, markerTooltip(amps[j], frqs[j], standard, d.texts)});
        }
    }
    target.setFontBold(false);
    return markers;
}

// A square around each slot's worst half-wave, so the eye finds the one the verdict names.
void drawWorst(PageTarget& target, PpvzxAxes& axes, const PpvzxDiagram& d, const Layout& l) {
    target.setFontSize(kMarkerPt);
    const double half = target.textHeight("0") * 0.9;
    target.setPenColor(d.color ? kLimitRed : kBlack);
    target.setPenWidth(kLimitPenTwips);
    target.setBrushStyle(BrushStyle::Transparent);
    for (int c = 0; c < kSlots; ++c) {
        const auto s = static_cast<std::size_t>(c);
        if (!d.channelOn[s] || !d.worst[s]) continue;
        const auto [frequency, amplitude] = *d.worst[s];
        const double x = l.plot.left + std::clamp(axes.xToPixel(frequency), 0.0, axes.plotWidth());
        const double y = l.plot.top + std::clamp(axes.yToPixel(amplitude), 0.0, axes.plotHeight());
        target.drawRectangle(x - half, y - half, x + half, y + half);
    }
    target.setPenWidth(0);
    target.setPenColor(kBlack);
}

}  // namespace

const PpvzxStandard& selectedStandard(const PpvzxDiagram& diagram) {
    if (diagram.table == nullptr || diagram.standard < 0 ||
        diagram.standard >= static_cast<int>(diagram.table->standards.size()))
        return defaultStandard();
    return diagram.table->standards[static_cast<std::size_t>(diagram.standard)];
}

PpvzxDrawing drawPPVZX(PageTarget& target, const PpvzxDiagram& diagram, const PageRect& outer,
                       analysis::Reporter& reporter) {
    // A table whose reading failed has no labels; the keys' defaults stand in.
    static const PpvzxTable kNoTable{{1.0, 100.0}, {1.0, 100.0}, {}};
    const bool usable = diagram.table != nullptr && !diagram.table->xLabels.empty() &&
                        !diagram.table->yLabels.empty();
    const PpvzxTable& table = usable ? *diagram.table : kNoTable;
    const PpvzxStandard& standard = selectedStandard(diagram);

    std::vector<std::string> xNumbers;
    for (const double v : table.xLabels) xNumbers.push_back(textOf(v));
    std::vector<std::string> yNumbers;
    for (const double v : table.yLabels) yNumbers.push_back(velocityAxisText(v, standard));

    target.setPenStyle(PenStyle::Solid);
    const Layout l = layOut(target, outer, xNumbers, yNumbers);
    PpvzxDrawing drawing;
    drawing.plot = l.plot;
    drawTitles(target, outer, l, diagram, standard);
    target.setPenColor(kBlack);
    target.setPenWidth(0);
    target.setBrushStyle(BrushStyle::Transparent);
    target.drawRectangle(l.plot.left, l.plot.top, l.plot.right(), l.plot.bottom());
    if (l.plot.width <= 0.0 || l.plot.height <= 0.0) return drawing;

    PpvzxAxes axes(table, standard, l.plot.width, l.plot.height, target.twipsPerPixelX(),
                   target.twipsPerPixelY());
    try {
        drawGrid(target, axes, table, l, xNumbers, yNumbers);
        // Limit lines before the markers, so a marker's number stays readable where a line
        // crosses it, as the window's labels lie above its picture.
        drawLimitLines(target, axes, standard, l, diagram.color);
        drawing.markers = drawMarkers(target, axes, diagram, standard, l);
        drawWorst(target, axes, diagram, l);
    } catch (const Error& e) {
        target.setPenWidth(0);
        target.setFontBold(false);
        reportError(reporter, e);
    }
    for (const std::string& message : axes.messages()) reporter.message(message);
    return drawing;
}

}  // namespace krnz::report
