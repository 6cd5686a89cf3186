// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/graph_print.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "core/report/recording_page_target.h"
#include "core/spectrum/data_window.h"
#include "support/event_builder.h"

namespace krnz::report {
namespace {

using Op = PageCall::Op;
constexpr double kPixel = 15.0;  // the recording target's pixel, twips

// y = x for x = 0..10 on a 0..10 square.
spectrum::GraphSetup diagonal() {
    spectrum::GraphSetup g;
    g.right = 10;
    g.top = 10;
    for (int i = 0; i <= 10; ++i) {
        g.x.push_back(i);
        g.y.push_back(i);
    }
    g.xLabels = {0, 2, 4, 6, 8, 10};
    g.yLabels = g.xLabels;
    return g;
}

struct Drawn {
    RecordingPageTarget target;
    GraphLayout layout;

    Drawn(const PrintedGraph& graph, const PageRect& rect) {
        target.startDoc();
        layout = printGraph(target, graph, rect);
        target.endDoc();
    }
    std::vector<PagePoint> curve() const {
        std::vector<PagePoint> points;
        for (const PageCall* c : target.ofKind(Op::Polyline))
            points.insert(points.end(), c->points.begin(), c->points.end());
        return points;
    }
};

// The suppressed lines at DC are 0; on a logarithmic axis their stand-in logarithm 0 put them at
// 1 unit, a spike to the top of every graph whose values stay below 1.
TEST(GraphPrint, LogAxisDrawsValuesAtMostZeroOnItsBottomEdge) {
    constexpr std::int32_t kN = 256;
    const Event event =
        test::syntheticEvent(kN, 0.001, test::kGeophoneAndMic,
                             [](int, std::int32_t i) { return test::sine(0.1, 10, kN, i); });
    spectrum::SpectrumParams params;
    params.windowType = spectrum::kWindowRect;
    params.logy = true;
    const spectrum::SpectrumResult result = spectrum::repaintSpectra(event, {0, kN - 1}, params);
    const spectrum::GraphSetup& g = result.graphs[0];
    ASSERT_EQ(result.run.values[0][0], 0.0);
    ASSERT_GE(g.top, 0.0);  // 1 unit lies on the axis

    PrintedGraph graph;
    graph.setup = &g;
    const Drawn d(graph, {1000, 1000, 6000, 4000});
    const PageRect& plot = d.layout.plot;
    const std::vector<PagePoint> curve = d.curve();
    ASSERT_FALSE(curve.empty());
    // DC on the lowest pixel row at the left edge.
    EXPECT_DOUBLE_EQ(curve.front().x, plot.left);
    EXPECT_DOUBLE_EQ(curve.front().y, plot.top + (d.layout.map.height - 1) * kPixel);
    // Nothing rises above the peak of 0.07, a decade and more under the top.
    for (const PagePoint& p : curve) EXPECT_GT(p.y, plot.top + plot.height / 3) << p.x;
}

TEST(GraphPrint, ReadoutsArePrintedWhenBothAreGiven) {
    const spectrum::GraphSetup g = diagonal();
    for (const bool withY : {true, false}) {
        PrintedGraph graph;
        graph.setup = &g;
        graph.xReadout = "x:5";
        if (withY) graph.yReadout = "y:5";
        const Drawn d(graph, {1000, 1000, 6000, 4000});
        const PageCall* readout = d.target.findText("x:5");
        if (!withY) {
            EXPECT_EQ(readout, nullptr);
            continue;
        }
        ASSERT_NE(readout, nullptr);
        EXPECT_EQ(readout->text, "x:5   y:5");
        // In the plot's upper left corner.
        const PageRect& plot = d.layout.plot;
        EXPECT_GT(readout->x1, plot.left);
        EXPECT_LT(readout->x1 + readout->x2, plot.left + plot.width / 2);
        EXPECT_GT(readout->y1, plot.top);
        EXPECT_LT(readout->y1 + readout->y2, plot.top + plot.height / 4);
    }
}

// The layout is the plot the drawing frames. A screen's plot lies on whole pixels and keeps its
// least size where paper has no room for a plot.
TEST(GraphPrint, LayoutOnPaperAndOnAScreen) {
    const spectrum::GraphSetup g = diagonal();
    PrintedGraph paper;
    paper.setup = &g;
    PrintedGraph screen = paper;
    screen.wholePixels = true;
    screen.minPlotPixels = 10;
    auto onPixels = [](double twips) { return std::fmod(twips, kPixel) == 0.0; };
    const PageRect rect{1003.7, 1001.3, 6000, 4000};
    for (const PrintedGraph& graph : {paper, screen}) {
        const Drawn d(graph, rect);
        const PageRect& plot = d.layout.plot;
        const auto frames = d.target.ofKind(Op::Rectangle);
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0]->x1, plot.left);
        EXPECT_EQ(frames[0]->y1, plot.top);
        EXPECT_EQ(frames[0]->x2, plot.right());
        EXPECT_EQ(frames[0]->y2, plot.bottom());
        RecordingPageTarget measuring;
        const GraphLayout measured = layoutGraph(measuring, graph, rect);
        EXPECT_EQ(measured.plot.left, plot.left);
        EXPECT_EQ(measured.plot.width, plot.width);
        EXPECT_EQ(measured.map.height, d.layout.map.height);
        EXPECT_TRUE(measuring.ofKind(Op::Rectangle).empty());

        const bool whole = onPixels(plot.left) && onPixels(plot.top) && onPixels(plot.right()) &&
                           onPixels(plot.bottom());
        EXPECT_EQ(whole, graph.wholePixels);
        EXPECT_NEAR(d.layout.map.width * kPixel, plot.width, graph.wholePixels ? 0.0 : kPixel);
    }

    const PageRect tiny{1000, 1000, 300, 300};
    const Drawn none(paper, tiny);
    EXPECT_TRUE(none.target.ofKind(Op::Rectangle).empty());
    EXPECT_TRUE(none.curve().empty());
    const Drawn least(screen, tiny);
    EXPECT_EQ(least.layout.map.width, 10);
    EXPECT_EQ(least.layout.map.height, 10);
    EXPECT_EQ(least.layout.plot.width, 10 * kPixel);
    EXPECT_FALSE(least.curve().empty());
}

}  // namespace
}  // namespace krnz::report
