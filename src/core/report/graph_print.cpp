// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/graph_print.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/report/dashed_line.h"
#include "core/report/segment_clip.h"
#include "core/spectrum/graph_texts.h"

namespace krnz::report {
namespace {

constexpr double kHeadingPt = 8.5;
constexpr double kTickPt = 7.5;
constexpr std::int32_t kBlack = 0x000000;
constexpr std::int32_t kGridGrey = 0xA0A0A0;

// The extents the layout reserves room for, twips.
struct Extents {
    double lh = 0.0;  // a line of tick text
    double tickColumn = 0.0;
    double unitW = 0.0;
    double headingH = 0.0;
};

Extents measure(PageTarget& target, const PrintedGraph& graph,
                const std::vector<spectrum::Tick>& yTicks) {
    Extents e;
    target.setFontBold(false);
    target.setFontSize(kTickPt);
    e.lh = target.textHeight("0");
    // At least five digits wide, so graphs side by side and one above the other align.
    e.tickColumn = target.textWidth("00000");
    for (const spectrum::Tick& t : yTicks)
        e.tickColumn = std::max(e.tickColumn, target.textWidth(spectrum::tickText(t.value)));
    e.unitW = target.textWidth(graph.xUnit);
    target.setFontSize(kHeadingPt);
    e.headingH = target.textHeight("X");
    return e;
}

GraphLayout place(const PageTarget& target, const PrintedGraph& graph, const PageRect& rect,
                  const Extents& e) {
    const spectrum::GraphSetup& g = *graph.setup;
    const double tppX = target.twipsPerPixelX();
    const double tppY = target.twipsPerPixelY();
    GraphLayout layout;
    PageRect& plot = layout.plot;
    plot.left = rect.left + e.tickColumn + 0.5 * e.lh;
    plot.top = rect.top + e.headingH + 0.6 * e.lh;
    plot.width = rect.right() - plot.left - e.unitW - 0.8 * e.lh;
    plot.height = rect.bottom() - plot.top - 1.4 * e.lh;
    if (graph.wholePixels) {
        const double right = std::round(plot.right() / tppX) * tppX;
        const double bottom = std::round(plot.bottom() / tppY) * tppY;
        plot.left = std::round(plot.left / tppX) * tppX;
        plot.top = std::round(plot.top / tppY) * tppY;
        plot.width = right - plot.left;
        plot.height = bottom - plot.top;
    }
    plot.width = std::max(plot.width, graph.minPlotPixels * tppX);
    plot.height = std::max(plot.height, graph.minPlotPixels * tppY);
    if (plot.width <= 0.0 || plot.height <= 0.0) {
        plot.width = plot.height = 0.0;
        return layout;
    }
    spectrum::GraphMapping& map = layout.map;
    map.left = g.left;
    map.right = g.right;
    map.top = g.top;
    map.bottom = g.bottom;
    map.width = std::max(1, static_cast<int>(std::lround(plot.width / tppX)));
    map.height = std::max(1, static_cast<int>(std::lround(plot.height / tppY)));
    return layout;
}

std::vector<spectrum::Tick> yTicksOf(const spectrum::GraphSetup& g) {
    return spectrum::visibleTicks(g.yLabels, g.yIsLog, g.bottom, g.top);
}

}  // namespace

GraphLayout layoutGraph(PageTarget& target, const PrintedGraph& graph, const PageRect& rect) {
    if (graph.setup == nullptr) return {};
    return place(target, graph, rect, measure(target, graph, yTicksOf(*graph.setup)));
}

GraphLayout printGraph(PageTarget& target, const PrintedGraph& graph, const PageRect& rect) {
    if (graph.setup == nullptr) return {};
    const spectrum::GraphSetup& g = *graph.setup;
    const std::vector<spectrum::Tick> yTicks = yTicksOf(g);
    const std::vector<spectrum::Tick> xTicks =
        spectrum::visibleTicks(g.xLabels, g.xIsLog, g.left, g.right);
    const Extents e = measure(target, graph, yTicks);
    const double lh = e.lh;
    const GraphLayout layout = place(target, graph, rect, e);
    const PageRect& plot = layout.plot;
    if (plot.width <= 0.0 || plot.height <= 0.0) return layout;

    target.setFontBold(true);
    target.textBox(spectrum::graphHeading(graph.yUnit, g.ch, graph.maxampatText, g.maxAmpFreq),
                   plot.left, rect.top, plot.width, e.headingH);
    target.setFontBold(false);

    const double tppX = target.twipsPerPixelX();
    const double tppY = target.twipsPerPixelY();
    const spectrum::GraphMapping& map = layout.map;
    const bool mappable = map.right != map.left && map.top != map.bottom;
    auto pageX = [&](double x) { return plot.left + map.px(x) * tppX; };
    auto pageY = [&](double y) { return plot.top + map.py(y) * tppY; };

    target.setPenWidth(0);
    target.setFontSize(kTickPt);
    if (mappable) {
        target.setPenColor(kGridGrey);
        for (const spectrum::Tick& t : yTicks) {
            const double y = pageY(t.position);
            dashedLine(target, plot.left, y, plot.right(), y);
            const std::string text = spectrum::tickText(t.value);
            const double w = target.textWidth(text);
            target.textBox(text, plot.left - 0.4 * lh - w, y - lh / 2, w, lh, TextAlign::Right);
        }
        double lastRight = -1e300;
        for (const spectrum::Tick& t : xTicks) {
            const double x = pageX(t.position);
            dashedLine(target, x, plot.top, x, plot.bottom());
            const std::string text = spectrum::tickText(t.value);
            const double w = target.textWidth(text);
            if (x - w / 2 < lastRight + 0.3 * lh) continue;
            target.textBox(text, x - w / 2, plot.bottom() + 0.3 * lh, w, lh, TextAlign::Centre);
            lastRight = x + w / 2;
        }
    }
    // The frame after the grid, so grid lines on the plot's edges do not break it.
    target.setPenColor(kBlack);
    target.setPenStyle(PenStyle::Solid);
    target.setBrushStyle(BrushStyle::Transparent);
    target.drawRectangle(plot.left, plot.top, plot.right(), plot.bottom());
    target.textBox(graph.xUnit, plot.right() + 0.4 * lh, plot.bottom() - lh, e.unitW, lh);
    if (graph.xReadout && graph.yReadout) {
        const std::string readout = *graph.xReadout + "   " + *graph.yReadout;
        target.textBox(readout, plot.left + 0.4 * lh, plot.top + 0.3 * lh,
                       target.textWidth(readout), lh);
    }

    // The curve: runs of points joined while they stay in the plot, cut where they leave it.
    if (!mappable || g.x.empty() || g.x.size() != g.y.size()) return layout;
    target.setPenColor(kBlack);
    target.setPenStyle(PenStyle::Solid);
    std::vector<PagePoint> run;
    auto flush = [&] {
        if (run.size() > 1) target.drawPolyline(run);
        run.clear();
    };
    PagePoint previous{pageX(g.x[0]), pageY(spectrum::drawnY(g, 0))};
    for (std::size_t i = 1; i < g.x.size(); ++i) {
        const PagePoint next{pageX(g.x[i]), pageY(spectrum::drawnY(g, i))};
        double x1 = previous.x, y1 = previous.y, x2 = next.x, y2 = next.y;
        if (clipSegment(plot, x1, y1, x2, y2)) {
            if (run.empty() || run.back().x != x1 || run.back().y != y1) {
                flush();
                run.push_back({x1, y1});
            }
            run.push_back({x2, y2});
        } else {
            flush();
        }
        previous = next;
    }
    flush();
    return layout;
}

}  // namespace krnz::report
