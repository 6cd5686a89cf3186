// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/ppvzx_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/report/recording_page_target.h"
#include "core/report/recording_reporter.h"
#include "core/report/segment_clip.h"

namespace krnz::report {
namespace {

using Op = PageCall::Op;
constexpr double kPixel = 15.0;  // the recording target's twips per pixel
const PageRect kOuter{1000, 2000, 8000, 6000};

struct Fixture {
    PpvzxTable table;
    SampleRecord rec;
    PpvzxDiagram diagram;
    RecordingPageTarget target;
    test::RecordingReporter reporter;

    Fixture(std::vector<double> labels, bool log, std::string unit = "mm/s") {
        table.xLabels = labels;
        table.yLabels = labels;
        PpvzxStandard s;
        s.name = "S";
        s.stdUnit = std::move(unit);
        s.xLog = s.yLog = log;
        table.standards.push_back(s);
        diagram.table = &table;
        diagram.standard = 0;
        diagram.channelOn = {true, true, true, true};
        diagram.rec = &rec;
    }

    PpvzxDrawing draw() { return drawPPVZX(target, diagram, kOuter, reporter); }

    std::vector<const PageCall*> limitSegments() const {
        std::vector<const PageCall*> out;
        for (const PageCall* c : target.ofKind(Op::Line))
            if (c->penWidth > 0) out.push_back(c);
        return out;
    }
};

double plotW(const PpvzxDrawing& d) {
    return d.plot.width - kPixel;
}
double plotH(const PpvzxDrawing& d) {
    return d.plot.height - kPixel;
}

TEST(PpvzxDrawing, MarkersSitAtTheirFrequencyAndAmplitudeOnLogAxes) {
    Fixture f({1, 100}, true);
    f.rec.highAmps[1] = {10, 0, 1000};
    f.rec.highAmpFrqs[1] = {10, 0, 0.5};
    const PpvzxDrawing d = f.draw();
    // The unused entry (0) has no half-wave behind it; the one above the axis sits on its top
    // edge, the one below 1 Hz on the left edge.
    ASSERT_EQ(d.markers.size(), 2u);
    EXPECT_EQ(d.markers[0].slot, 1);
    EXPECT_NEAR(d.markers[0].x, d.plot.left + plotW(d) / 2, 1e-9);
    EXPECT_NEAR(d.markers[0].y, d.plot.top + plotH(d) / 2, 1e-9);
    EXPECT_NEAR(d.markers[1].x, d.plot.left + 1, 1e-9);
    EXPECT_NEAR(d.markers[1].y, d.plot.top, 1e-9);
    // Each marker is its slot's number in a box centred on the point.
    int boxes = 0;
    for (const PageCall* c : f.target.ofKind(Op::TextBox)) {
        if (c->text != "2") continue;
        ++boxes;
        EXPECT_NEAR(c->x1 + c->x2 / 2, d.markers[0].x, 1e-9);
        EXPECT_NEAR(c->y1 + c->y2 / 2, d.markers[0].y, 1e-9);
        break;
    }
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(d.markers[0].tooltip, "v: 10 f: 10");
    EXPECT_TRUE(f.reporter.messages.empty());
}

TEST(PpvzxDrawing, MarkersOnLinearAxesAndOnlyOfTickedSlots) {
    Fixture f({0, 100}, false);
    f.rec.highAmps = {std::vector<double>{50}, {25}, {75}, {}};
    f.rec.highAmpFrqs = {std::vector<double>{50}, {75}, {25}, {}};
    f.diagram.channelOn = {true, false, true, true};
    const PpvzxDrawing d = f.draw();
    ASSERT_EQ(d.markers.size(), 2u);
    EXPECT_NEAR(d.markers[0].x, d.plot.left + 0.5 * plotW(d), 1e-9);
    EXPECT_NEAR(d.markers[0].y, d.plot.top + 0.5 * plotH(d), 1e-9);
    EXPECT_EQ(d.markers[1].slot, 2);
    EXPECT_NEAR(d.markers[1].x, d.plot.left + 0.25 * plotW(d), 1e-9);
    EXPECT_NEAR(d.markers[1].y, d.plot.top + 0.25 * plotH(d), 1e-9);
}

TEST(PpvzxDrawing, LimitLinesJoinTheVerticesAndStopAtTheFrame) {
    Fixture f({1, 100}, true);
    f.table.standards[0].lines = {LimitLine{{1, 10, 1000}, {5, 5, 50}}};
    const PpvzxDrawing d = f.draw();
    const auto segments = f.limitSegments();
    ASSERT_EQ(segments.size(), 2u);
    const double y5 = d.plot.top + plotH(d) - std::log(5.0) / std::log(100.0) * plotH(d);
    EXPECT_NEAR(segments[0]->x1, d.plot.left, 1e-9);
    EXPECT_NEAR(segments[0]->y1, y5, 1e-9);
    EXPECT_NEAR(segments[0]->x2, d.plot.left + plotW(d) / 2, 1e-9);
    EXPECT_NEAR(segments[0]->y2, y5, 1e-9);
    // The second ends at 1000 Hz, beyond the axis: cut at the right edge, on its way up.
    EXPECT_NEAR(segments[1]->x2, d.plot.left + plotW(d), 1e-6);
    EXPECT_LT(segments[1]->y2, y5);
    EXPECT_GT(segments[1]->y2, d.plot.top);
    EXPECT_EQ(segments[0]->penColor, 0x1A1AB4);
    f.diagram.color = false;
    f.target = RecordingPageTarget();
    f.draw();
    EXPECT_EQ(f.limitSegments().at(0)->penColor, 0);
}

TEST(PpvzxDrawing, InchStandardsNumberTheAxisInTwentyFifthsAndKeepTheMarkers) {
    Fixture mm({2.5, 25, 250}, true);
    Fixture in({2.5, 25, 250}, true, "in/s");
    for (Fixture* f : {&mm, &in}) {
        f->rec.highAmps[0] = {25.4};
        f->rec.highAmpFrqs[0] = {25};
    }
    const PpvzxDrawing dm = mm.draw();
    const PpvzxDrawing di = in.draw();
    for (const char* number : {"0.1", "1", "10"})
        EXPECT_NE(in.target.findText(number), nullptr) << number;
    EXPECT_NE(mm.target.findText("250"), nullptr);
    EXPECT_NE(in.target.findText("Velocity [in/s]"), nullptr);
    ASSERT_EQ(di.markers.size(), 1u);
    EXPECT_EQ(di.markers[0].x, dm.markers[0].x);
    EXPECT_EQ(di.markers[0].y, dm.markers[0].y);
    EXPECT_EQ(di.markers[0].tooltip, "v: 1 f: 25");
    EXPECT_EQ(dm.markers[0].tooltip, "v: 25.4 f: 25");
}

TEST(PpvzxDrawing, LogOfZeroIsReportedOnceEachAndTheDrawingGoesOn) {
    Fixture f({0, 10, 100}, true);
    f.rec.highAmps[0] = {10, 20, 30};
    f.rec.highAmpFrqs[0] = {10, 20, 30};
    const PpvzxDrawing d = f.draw();
    EXPECT_EQ(f.reporter.messages, (std::vector<std::string>{"xLog(0) error", "yLog(0) error"}));
    EXPECT_EQ(d.markers.size(), 3u);
}

TEST(PpvzxDrawing, CoincidingEndLabelsAreReportedAndLeaveTheFrameEmpty) {
    Fixture f({10}, true);
    f.rec.highAmps[0] = {10};
    f.rec.highAmpFrqs[0] = {10};
    const PpvzxDrawing d = f.draw();
    EXPECT_TRUE(d.markers.empty());
    EXPECT_EQ(f.reporter.messages, (std::vector<std::string>{"Error 11: Division by zero"}));
    EXPECT_EQ(f.target.ofKind(Op::Rectangle).size(), 1u);
}

TEST(PpvzxDrawing, ATableWithoutLabelsDrawsOnTheDefaultAxes) {
    Fixture f({}, true);  // what a failed reading leaves
    f.rec.highAmps[0] = {10};
    f.rec.highAmpFrqs[0] = {10};
    const PpvzxDrawing d = f.draw();
    ASSERT_EQ(d.markers.size(), 1u);
    EXPECT_NEAR(d.markers[0].x, d.plot.left + plotW(d) / 2, 1e-9);  // 1 .. 100 Hz
    EXPECT_TRUE(f.reporter.messages.empty());
}

TEST(PpvzxDrawing, AxisNumbersNeverOverlap) {
    for (const bool log : {true, false}) {
        Fixture f({1, 2, 5, 10, 20, 50, 100, 200, 500}, log);
        const PpvzxDrawing d = f.draw();
        std::vector<const PageCall*> below;  // the frequency numbers
        std::vector<const PageCall*> left;   // the velocity numbers
        for (const PageCall* c : f.target.ofKind(Op::TextBox)) {
            if (c->y1 > d.plot.bottom() && c->y1 < d.plot.bottom() + 100) below.push_back(c);
            if (c->x1 + c->x2 <= d.plot.left) left.push_back(c);
        }
        EXPECT_GE(below.size(), 3u);
        EXPECT_GE(left.size(), 3u);
        for (std::size_t i = 1; i < below.size(); ++i)
            EXPECT_GE(below[i]->x1, below[i - 1]->x1 + below[i - 1]->x2)
                << log << " " << below[i]->text;
        for (std::size_t i = 1; i < left.size(); ++i)
            EXPECT_LE(left[i]->y1 + left[i]->y2, left[i - 1]->y1) << log << " " << left[i]->text;
        // The axis ends are always numbered.
        EXPECT_EQ(below.front()->text, "1");
        EXPECT_EQ(below.back()->text, "500");
    }
}

TEST(PpvzxDrawing, EverythingStaysInsideTheDiagramsRectangle) {
    Fixture f({1, 2, 5, 10, 20, 50, 100, 200, 500}, true);
    f.table.standards[0].lines = {LimitLine{{0.5, 4, 4000}, {0.1, 50, 50}}};
    f.rec.highAmps[3] = {1e6, 1e-3, 30};
    f.rec.highAmpFrqs[3] = {1e6, 1e-3, 30};
    f.draw();
    for (const PageCall& c : f.target.calls()) {
        if (c.op == Op::TextBox) {
            EXPECT_GE(c.x1, kOuter.left) << c.text;
            EXPECT_LE(c.x1 + c.x2, kOuter.right() + 1e-9) << c.text;
            EXPECT_GE(c.y1, kOuter.top) << c.text;
            EXPECT_LE(c.y1 + c.y2, kOuter.bottom() + 1e-9) << c.text;
        } else if (c.op == Op::Line) {
            for (const double x : {c.x1, c.x2})
                EXPECT_TRUE(x >= kOuter.left && x <= kOuter.right());
            for (const double y : {c.y1, c.y2})
                EXPECT_TRUE(y >= kOuter.top && y <= kOuter.bottom());
        }
    }
}

// Files edited by hand: every standard they yield draws inside the rectangle with finite
// coordinates, or reports why it cannot; nothing throws.
TEST(PpvzxDrawing, OddFilesDrawInsideTheRectangle) {
    const char* const files[] = {
        "[general]\nxLabels=1,10,100\nyLabels=1,10,100\n[S]\nline00=1,2,3\nline01=\n",
        "[general]\nxLabels=100,10,1\nyLabels=-5,0,5\n[S]\nxScale=lin\nline00=-1,-1,1e308,1e308\n",
        "[general]\nxLabels=1,1e300\n[S]\nyScale=LOG\nline00=0,0,5,5,1e-300,1e-300\n[T]\nunit=in/"
        "s\nline00=1,1e306\n",
        "[general]\nxLabels=5\nyLabels=5\n[S]\nline00=x,y,z\n[S]\nline00=1,1\n",
        "[general]\nxLabels=1,nan,inf\nyLabels=1,-inf\n[S]\nline00=nan,1,inf,2\n",
        "garbage\n=\n[\n[general\n]\nline00=1,1\n",
    };
    for (const char* const& file : files) {
        SCOPED_TRACE(testing::Message() << "file " << (&file - files));
        PpvzxTable table = parsePPVZXini(file);
        SampleRecord rec;
        rec.highAmps[0] = {0, 1, 1e9};
        rec.highAmpFrqs[0] = {0, 1e9, 1};
        for (int s = -1; s < static_cast<int>(table.standards.size()); ++s) {
            RecordingPageTarget target;
            test::RecordingReporter reporter;
            PpvzxDiagram diagram;
            diagram.table = &table;
            diagram.standard = s;
            diagram.channelOn = {true, true, true, true};
            diagram.rec = &rec;
            EXPECT_NO_THROW(drawPPVZX(target, diagram, kOuter, reporter));
            for (const PageCall& c : target.calls()) {
                if (c.op != Op::Line) continue;
                for (const double x : {c.x1, c.x2})
                    EXPECT_TRUE(x >= kOuter.left && x <= kOuter.right()) << x;
                for (const double y : {c.y1, c.y2})
                    EXPECT_TRUE(y >= kOuter.top && y <= kOuter.bottom()) << y;
            }
        }
    }
}

TEST(SegmentClip, KeepsThePartInsideTheRectangle) {
    const PageRect r{0, 0, 10, 10};
    double x1 = -5, y1 = 5, x2 = 15, y2 = 5;
    ASSERT_TRUE(clipSegment(r, x1, y1, x2, y2));
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(x2, 10);
    x1 = -5, y1 = -5, x2 = -1, y2 = 20;
    EXPECT_FALSE(clipSegment(r, x1, y1, x2, y2));
    x1 = 2, y1 = 2, x2 = 3, y2 = 3;
    ASSERT_TRUE(clipSegment(r, x1, y1, x2, y2));
    EXPECT_EQ(x1, 2);
    EXPECT_EQ(y2, 3);
}

}  // namespace
}  // namespace krnz::report
