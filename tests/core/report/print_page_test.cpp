// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/print_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/event/units.h"
#include "core/report/dashed_line.h"
#include "core/report/info_box.h"
#include "core/report/page_header.h"
#include "core/report/polyline_thinning.h"
#include "core/report/print_strips.h"
#include "core/report/recording_page_target.h"
#include "core/report/recording_reporter.h"
#include "core/report/verdict_table.h"
#include "core/settings/scale_table.h"
#include "support/event_builder.h"

namespace krnz::report {
namespace {

using Op = PageCall::Op;
const PageMargins kMargins{1000, 800, 900, 700};

std::vector<float> wave(std::size_t n, double amplitude, double period) {
    std::vector<float> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = static_cast<float>(
            amplitude * std::sin(2 * 3.141592653589793 * static_cast<double>(i) / period));
    return x;
}

// A page of a 2000-sample event with four geophone slots, full scale 8 mm/s.
struct Page {
    Event event = test::makeEvent(
        {wave(2000, 3, 50), wave(2000, 9, 80), wave(2000, 1, 20), wave(2000, 5, 100)});
    UserInfo user{"Client A", "Blast 7",       "Quarry", "J. Doe",
                  "Dry",      "Vibration Ltd", "Survey", "Charge 85 kg"};
    settings::Options options;
    RecordingPageTarget target;
    test::RecordingReporter reporter;
    PrintSources sources;

    Page() {
        event.sample.instrumentSN = 412;
        event.sample.eventNumber = 101;
        event.sample.year = 22;
        event.sample.month = 7;
        event.sample.day = 16;
        event.sample.hour = 8;
        event.sample.minute = 1;
        event.sample.second = 9;
        event.sample.pretrig = 0.25;
        for (auto& slot : options.slotOptions) slot.manualScale = settings::scalePositionOf(8);
        sources.event = &event;
        sources.userInfo = &user;
        sources.options = &options;
        sources.texts = &builtinEnglish();
        sources.version = "1.2.3";
        sources.view.sampleLabels = {"Instrument SN", "Event no."};
        sources.view.sampleValues = {"412", "101"};
        for (int c = 0; c < kSlots; ++c) {
            sources.view.channelLabels[static_cast<std::size_t>(c)] = {"Channel/Input", "Unit",
                                                                       "Peak"};
            sources.view.channelValues[static_cast<std::size_t>(c)] = {
                "Geo " + std::to_string(c + 1), "mm/s", "1.000"};
        }
    }

    bool print() { return printPage(target, sources, kMargins, reporter); }

    double topOf(std::string_view text) const {
        const PageCall* c = target.findText(text);
        EXPECT_NE(c, nullptr) << text;
        return c != nullptr ? c->y1 : -1;
    }

    std::vector<const PageCall*> traces() const { return target.ofKind(Op::Polyline); }
};

TEST(PrintPage, BlocksFollowEachOtherDownThePage) {
    Page p;
    ASSERT_TRUE(p.print());
    EXPECT_EQ(p.target.calls().front().op, Op::Orientation);
    EXPECT_EQ(p.target.calls().front().value, 0);  // portrait
    EXPECT_EQ(p.target.ofKind(Op::StartDoc).size(), 1u);
    EXPECT_EQ(p.target.calls().back().op, Op::EndDoc);

    const PageCall* company = p.target.findText("Vibration Ltd");
    ASSERT_NE(company, nullptr);
    EXPECT_TRUE(company->bold);
    EXPECT_EQ(company->y1, kMargins.top);
    EXPECT_EQ(company->x1, kMargins.left);
    EXPECT_LT(company->y1, p.topOf("Survey"));
    EXPECT_LT(p.topOf("Survey"), p.topOf("Charge 85 kg"));
    EXPECT_LT(p.topOf("Charge 85 kg"), p.topOf("Instrument SN 412,"));
    EXPECT_LT(p.topOf("Instrument SN 412,"), p.topOf("Client"));
    EXPECT_LT(p.topOf("Client"), p.topOf("Geo 1"));
    EXPECT_LT(p.topOf("Geo 1"), p.topOf("Geo 2"));
    EXPECT_LT(p.topOf("Geo 3"), p.topOf("Geo 4"));
    EXPECT_LT(p.topOf("Geo 4"), p.topOf("[s]"));

    // The version closes the first line at the right margin.
    const PageCall* version = p.target.findText("version 1.2.3");
    ASSERT_NE(version, nullptr);
    EXPECT_NEAR(version->x1 + version->x2, p.target.pageWidth() - kMargins.right, 1e-6);
    EXPECT_EQ(version->y1, kMargins.top);

    // User captions and values in two boxes side by side, line for line.
    const PageCall* captions =
        p.target.findText("Client\r\nOperation\r\nLocation\r\nOperator\r\nNotes");
    const PageCall* values = p.target.findText("Client A\r\nBlast 7\r\nQuarry\r\nJ. Doe\r\nDry");
    ASSERT_NE(captions, nullptr);
    ASSERT_NE(values, nullptr);
    EXPECT_EQ(captions->y1, values->y1);
    EXPECT_LT(captions->x1 + captions->x2, values->x1);

    // Nothing below the bottom margin.
    for (const PageCall* t : p.target.texts())
        EXPECT_LE(t->y1 + t->y2, p.target.pageHeight() - kMargins.bottom + 1e-6) << t->text;
}

// Zeros the file never held are named between the information box and the strips, and only
// for an event whose file ended early: a whole event's page has no such line.
TEST(PrintPage, ACutFileIsNamedAboveTheStrips) {
    const std::string notice =
        "file holds 1,500 of 2,000 samples per channel; the rest is shown as 0";
    Page whole;
    whole.event.sample.samplesInFile = 2000;
    ASSERT_TRUE(whole.print());
    Page cut;
    cut.event.sample.samplesInFile = 1500;
    ASSERT_TRUE(cut.print());
    EXPECT_EQ(whole.target.findText(notice), nullptr);
    for (const PageCall* t : whole.target.texts())
        EXPECT_EQ(t->text.find("samples per channel"), std::string::npos) << t->text;
    const PageCall* line = cut.target.findText(notice);
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->bold);
    EXPECT_LT(cut.topOf("Client"), line->y1);
    EXPECT_LT(line->y1, cut.topOf("Geo 1"));
    // The strips move down by the line and nothing else changes above it.
    EXPECT_GT(cut.topOf("Geo 1"), whole.topOf("Geo 1"));
    EXPECT_EQ(cut.topOf("Client"), whole.topOf("Client"));
}

struct YearCase {
    std::uint8_t yearByte;
    const char* printed;
};

class IdentificationYear : public ::testing::TestWithParam<YearCase> {};

TEST_P(IdentificationYear, TwoDigitYearsBelow81AreThisCentury) {
    Page p;
    p.event.sample.year = GetParam().yearByte;
    ASSERT_TRUE(p.print());
    const PageCall* line = p.target.findText("Instrument SN 412,   Event no. 101,   Date/time ");
    ASSERT_NE(line, nullptr);
    EXPECT_NE(line->text.find(std::string(" Jul ") + GetParam().printed + " 08:01:09"),
              std::string::npos)
        << line->text;
    EXPECT_TRUE(line->bold);
}

INSTANTIATE_TEST_SUITE_P(Years, IdentificationYear,
                         ::testing::Values(YearCase{80, "2080"}, YearCase{81, "1981"},
                                           YearCase{0, "2000"}, YearCase{99, "1999"}),
                         [](const auto& info) {
                             return "year" + std::to_string(info.param.yearByte);
                         });

TEST(PrintPage, IdentificationLineNamesWeekdayAndMonth) {
    SampleRecord rec;
    rec.instrumentSN = 7;
    rec.eventNumber = 3;
    rec.year = 24;
    rec.month = 2;
    rec.day = 30;  // rolls over into March, as a date built from its parts
    EXPECT_EQ(eventIdentificationLine(rec, builtinEnglish()),
              "Instrument SN 7,   Event no. 3,   Date/time Fri 1 Mar 2024 00:00:00");
}

TEST(PrintPage, AFreeTextOfSeveralLinesPushesTheRestDown) {
    Page one;
    ASSERT_TRUE(one.print());
    Page three;
    three.user.freeText = "Charge 85 kg\r\nDelay 17 ms\r\nDistance 95 m";
    ASSERT_TRUE(three.print());
    // Two more lines of the free text's 9 pt, 24 twips per point each.
    const double shift = 2 * 9 * 24;
    EXPECT_NEAR(three.topOf("Instrument SN 412,") - one.topOf("Instrument SN 412,"), shift, 1e-9);
    EXPECT_NEAR(three.topOf("Client") - one.topOf("Client"), shift, 1e-9);
    EXPECT_LT(three.topOf("Client"), three.topOf("Geo 1"));
}

TEST(PrintPage, StripsShowTheTickedSlotsReducedWithinTheirRectangles) {
    Page p;
    p.sources.choices.channelOn = {false, true, false, true};
    p.options.printerDataReduction = 1;
    ASSERT_TRUE(p.print());
    const auto traces = p.traces();
    ASSERT_EQ(traces.size(), 2u);
    EXPECT_EQ(p.target.findText("Geo 1"), nullptr);
    EXPECT_NE(p.target.findText("Geo 2"), nullptr);
    // Strips are the frames drawn after the info box; each trace stays inside its own.
    std::vector<const PageCall*> frames;
    for (const PageCall* r : p.target.ofKind(Op::Rectangle)) frames.push_back(r);
    ASSERT_EQ(frames.size(), 2u);
    for (std::size_t s = 0; s < 2; ++s) {
        const PageCall& frame = *frames[s];
        const auto& pts = traces[s]->points;
        EXPECT_LT(pts.size(), 2000u);
        EXPECT_DOUBLE_EQ(pts.front().x, frame.x1);
        EXPECT_NEAR(pts.back().x, frame.x2, 1e-6);
        for (const PagePoint& pt : pts) {
            EXPECT_GE(pt.y, frame.y1);
            EXPECT_LE(pt.y, frame.y2);
        }
    }
    // Slot 1 peaks at 9 with full scale 8: clamped onto the edges.
    const auto& clipped = traces[0]->points;
    EXPECT_TRUE(std::any_of(clipped.begin(), clipped.end(),
                            [&](const PagePoint& pt) { return pt.y == frames[0]->y1; }));
    // Its full scale labels the edges.
    EXPECT_NE(p.target.findText("-8"), nullptr);

    // Without reduction every sample, as far as the device's pixel columns tell them apart:
    // on a fine device every one, on a coarse one what thinning the full trace leaves.
    Page full;
    full.options.printerDataReduction = 0;
    full.target.setTwipsPerPixel(0.5);
    ASSERT_TRUE(full.print());
    const std::vector<PagePoint> every = full.traces().at(0)->points;
    EXPECT_EQ(every.size(), 2000u);
    Page coarse;
    coarse.options.printerDataReduction = 0;
    coarse.target.setTwipsPerPixel(40.0);
    ASSERT_TRUE(coarse.print());
    const std::vector<PagePoint> thinned = pixelColumnExtremes(every, 40.0);
    const auto& got = coarse.traces().at(0)->points;
    ASSERT_EQ(got.size(), thinned.size());
    EXPECT_LT(got.size(), 1000u);
    for (std::size_t k = 0; k < got.size(); ++k)
        EXPECT_TRUE(got[k].x == thinned[k].x && got[k].y == thinned[k].y) << k;
}

TEST(PrintPage, ZoomedIntervalAndCursor) {
    Page p;
    p.sources.choices.printzoom = true;
    p.sources.choices.cursor = true;
    p.sources.view.visibleStart = 0.25;
    p.sources.view.visibleEnd = 0.5;
    p.sources.view.cursors = {{0.375, "0.500 s"}, {0.9, "outside"}};
    p.options.printerDataReduction = 0;
    p.target.setTwipsPerPixel(0.5);
    ASSERT_TRUE(p.print());
    EXPECT_EQ(p.traces().at(0)->points.size(), 500u);
    const PageCall* caption = p.target.findText("0.500 s");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(p.target.findText("outside"), nullptr);
    // The readout sits in a white box just right of the cursor line, which is dashed.
    const PageCall* frame = p.target.ofKind(Op::Rectangle).at(0);
    const double cursorX = frame->x1 + (frame->x2 - frame->x1) * (750 - 500) / 499.0;
    const auto boxes = p.target.ofKind(Op::Rectangle);
    const PageCall* box = boxes.back();
    EXPECT_EQ(box->brushStyle, BrushStyle::Solid);
    EXPECT_EQ(box->brushColor, 0xFFFFFF);
    EXPECT_GT(box->x1, cursorX);
    int dashes = 0;
    for (const PageCall* l : p.target.ofKind(Op::Line))
        if (std::fabs(l->x1 - cursorX) < 1e-6 && std::fabs(l->x2 - cursorX) < 1e-6) ++dashes;
    EXPECT_GT(dashes, 10);
}

TEST(PrintPage, DiagramBesideTheBoxOrAlone) {
    PpvzxTable table{{1, 100}, {1, 100}, {}};
    Page beside;
    PpvzxDiagram diagram;
    diagram.table = &table;
    diagram.rec = &beside.event.sample;
    beside.sources.ppvzx = &diagram;
    beside.sources.choices.ppvzx = true;
    ASSERT_TRUE(beside.print());
    const PageCall* title = beside.target.findText("PPV/ZX plot");
    ASSERT_NE(title, nullptr);
    EXPECT_GT(title->x1, beside.target.findText("Client")->x1);
    EXPECT_LT(title->y1, beside.topOf("Geo 1"));
    EXPECT_EQ(beside.traces().size(), 4u);

    Page alone;
    alone.sources.ppvzx = &diagram;
    alone.sources.choices.onlyPpvzx = true;
    ASSERT_TRUE(alone.print());
    EXPECT_NE(alone.target.findText("PPV/ZX plot"), nullptr);
    EXPECT_TRUE(alone.traces().empty());
    EXPECT_EQ(alone.target.findText("Client"), nullptr);
}

TEST(PrintPage, TheVerdictTableLiesUnderTheDiagramAndAboveTheStrips) {
    PpvzxTable table{{1, 100}, {1, 100}, {}};
    PpvzxStandard strict;
    strict.name = "Strict";
    strict.lines = {{{1, 100}, {2, 2}}, {{1, 100}, {50, 50}}};
    table.standards = {strict};
    Page page;
    PpvzxDiagram diagram;
    diagram.table = &table;
    diagram.standard = 0;
    diagram.rec = &page.event.sample;
    const Verdict verdict = judgeEvent(page.event, false, strict);
    const VerdictTable rows = verdictTable(verdict, strict, page.event, builtinEnglish());
    page.sources.ppvzx = &diagram;
    page.sources.verdict = &rows;
    page.sources.choices.ppvzx = true;
    page.options.printInColor = true;
    ASSERT_TRUE(page.print());

    // Four channels of two lines each; peaks of 3, 9 and 5 mm/s exceed 2 mm/s, 1 does not, and
    // nothing reaches 50.
    ASSERT_EQ(rows.rows.size(), 8u);
    const PageCall* method = page.target.findText(rows.method);
    ASSERT_NE(method, nullptr);
    const double plotBottom = page.topOf("Frequency [Hz]");
    const double exceeds = page.topOf("exceeds");
    EXPECT_GT(exceeds, plotBottom);
    EXPECT_GT(method->y1, exceeds);
    ASSERT_FALSE(page.traces().empty());
    for (const PageCall* trace : page.traces())
        for (const PagePoint& p : trace->points) EXPECT_GT(p.y, method->y1);
    // Exceeding rows say so in words, in bold, and in red where colour prints.
    int exceeding = 0;
    for (const PageCall& c : page.target.calls()) {
        if (c.op != Op::TextBox || (c.text != "exceeds" && c.text != "below")) continue;
        EXPECT_EQ(c.bold, c.text == "exceeds");
        EXPECT_EQ(c.penColor == 0, false) << c.text;
        exceeding += c.text == "exceeds";
    }
    EXPECT_EQ(exceeding, 3);
}

TEST(VerdictTable, OneRowPerPlottableChannelAndLine) {
    Event e = test::makeEvent({wave(2000, 3, 50), wave(2000, 9, 80), {}, wave(2000, 5, 100)});
    e.channels[3].unit = kUnitPa;
    PpvzxStandard s;
    s.name = "Flat";
    s.lines = {{{1, 100}, {4, 4}}};
    const VerdictTable t = verdictTable(judgeEvent(e, false, s), s, e, builtinEnglish());
    ASSERT_EQ(t.rows.size(), 3u);  // the pressure channel is not judged
    EXPECT_EQ(t.rows[0].channel, "Geo 1");
    EXPECT_EQ(t.rows[0].line, "1");
    EXPECT_EQ(t.rows[0].mark, "below");
    EXPECT_EQ(t.rows[1].mark, "exceeds");
    EXPECT_TRUE(t.rows[1].exceeds);
    EXPECT_EQ(t.rows[2].ratio, "-");
    EXPECT_EQ(t.rows[2].mark, "no half-wave");
    // Ratios to three significant digits: 9 / 4.
    EXPECT_EQ(t.rows[1].ratio, "2.25");
    EXPECT_NE(t.method.find("Flat"), std::string::npos);
}

TEST(PrintPage, SpectrumPageIsLandscapeWithFourGraphsAndTheInterval) {
    Page p;
    PrintSpectrum spectrum;
    for (int c = 0; c < kSlots; ++c) {
        spectrum::GraphSetup& g = spectrum.graphs[static_cast<std::size_t>(c)];
        g.left = 0, g.right = 500, g.bottom = 0, g.top = 1;
        g.x = {0, 250, 500};
        g.y = {0, 0.5, 2};  // the last point leaves the plot
        g.xLabels = {0, 100, 200, 300, 400, 500};
        g.yLabels = {0, 0.2, 0.4, 0.6, 0.8, 1};
        g.ch = c;
        g.maxAmpFreq = 250;
        spectrum.yUnits[static_cast<std::size_t>(c)] = "mm/s   RMS";
    }
    spectrum.selected = "FFT Hanning";
    spectrum.tStart = 0.1;
    spectrum.tEnd = 0.6;
    p.sources.spectrum = &spectrum;
    p.sources.choices.spectrumPrint = true;
    p.sources.choices.fftAll = true;
    ASSERT_TRUE(p.print());
    EXPECT_EQ(p.target.calls().front().value, 1);  // landscape
    EXPECT_GT(p.target.pageWidth(), p.target.pageHeight());
    const PageCall* heading = p.target.findText("FFT Hanning (");
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->text.ends_with(": 0.100s - 0.600s)")) << heading->text;
    for (int c = 1; c <= 4; ++c)
        EXPECT_NE(p.target.findText("mm/s   RMS    " + std::to_string(c) + "    "), nullptr) << c;
    EXPECT_TRUE(p.traces().size() == 4u);
    // The identification closes the page under the graphs.
    EXPECT_GT(p.topOf("Instrument SN 412,"), p.topOf("mm/s   RMS    3"));
    EXPECT_EQ(p.target.findText("Client"), nullptr);

    Page one;
    one.sources.spectrum = &spectrum;
    one.sources.choices.spectrumPrint = true;
    one.sources.choices.fftSel = 2;
    ASSERT_TRUE(one.print());
    EXPECT_NE(one.target.findText("mm/s   RMS    3    "), nullptr);
    EXPECT_EQ(one.target.findText("mm/s   RMS    1    "), nullptr);
}

TEST(PrintPage, AnErrorIsReportedAndTheDocumentEnded) {
    Page p;
    p.options.slotOptions[2].manualScale = 9999;  // no such full scale
    EXPECT_FALSE(p.print());
    ASSERT_EQ(p.reporter.messages.size(), 1u);
    EXPECT_EQ(p.target.calls().back().op, Op::EndDoc);
    EXPECT_FALSE(p.target.inDocument());
}

TEST(InfoBox, AWrappedValueMovesTheRowsBelowItWithTheirLabels) {
    RecordingPageTarget target;
    InfoBoxTexts texts;
    texts.userCaptions = "Client\r\nNotes\r\nOperator";
    texts.userValues = "A\r\nfour words that wrap\r\nB";
    // 8.5 pt: 102 twips a character, 204 a line; 8 "X" of captions, a value column of 10
    // characters.
    const double width = 2 * 102 + 8 * 102 + 0.6 * 204 + 10 * 102;
    const double height = printInfoBox(target, texts, 0, 0, width, true);
    const PageCall* notes = target.findText("Notes");
    const PageCall* wrapped = target.findText("four words");
    const PageCall* operatorLabel = target.findText("Operator");
    const PageCall* operatorValue = target.findText("B");
    ASSERT_TRUE(notes && wrapped && operatorLabel && operatorValue);
    EXPECT_EQ(notes->text, "Notes");
    EXPECT_EQ(notes->y1, wrapped->y1);
    EXPECT_EQ(operatorLabel->y1, operatorValue->y1);
    EXPECT_DOUBLE_EQ(operatorLabel->y1 - notes->y1, 2 * 204);  // the value took two lines
    EXPECT_DOUBLE_EQ(height, 102 + 4 * 204 + 102);

    // Values that fit: one box of captions and one of values, as many lines high.
    RecordingPageTarget wide;
    printInfoBox(wide, texts, 0, 0, 4 * width, true);
    EXPECT_NE(wide.findText("Client\r\nNotes\r\nOperator"), nullptr);
    EXPECT_GE(infoBoxWidth(wide, texts, true), 2 * 102 + 8 * 102 + 0.6 * 204 + 20 * 102);
}

TEST(PrintTimeStep, OneTwoFiveAtOrAboveTheSpanPerDivision) {
    EXPECT_DOUBLE_EQ(printTimeStep(1.0, 10), 0.1);
    EXPECT_DOUBLE_EQ(printTimeStep(2.5, 10), 0.5);
    EXPECT_DOUBLE_EQ(printTimeStep(0.3, 10), 0.05);
    EXPECT_DOUBLE_EQ(printTimeStep(100, 8), 20);
    EXPECT_DOUBLE_EQ(printTimeStep(0.0, 8), 1);
}

TEST(DashedLine, DashesOfAFiveHundredthOfThePageEveryFiveDashes) {
    RecordingPageTarget target;  // 11906 twips wide: dash round(23.8) = 24
    EXPECT_EQ(dashLength(target), 24);
    dashedLine(target, 100, 1000, 100, 400);
    const auto lines = target.ofKind(Op::Line);
    ASSERT_EQ(lines.size(), 5u);  // from 400 every 120 while below 1000
    EXPECT_EQ(lines[0]->y1, 400);
    EXPECT_EQ(lines[0]->y2, 424);
    EXPECT_EQ(lines[4]->y1, 880);
    EXPECT_EQ(lines[4]->y2, 904);
    RecordingPageTarget oblique;
    dashedLine(oblique, 0, 0, 50, 70);
    ASSERT_EQ(oblique.ofKind(Op::Line).size(), 1u);
    EXPECT_EQ(oblique.ofKind(Op::Line)[0]->penStyle, PenStyle::Dot);
}

}  // namespace
}  // namespace krnz::report
