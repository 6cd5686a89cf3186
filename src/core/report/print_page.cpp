// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/print_page.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "core/common/error.h"
#include "core/common/value_format.h"
#include "core/event/samples_in_file.h"
#include "core/report/error_report.h"
#include "core/report/graph_print.h"
#include "core/report/info_box.h"
#include "core/report/page_header.h"
#include "core/report/print_strips.h"
#include "core/report/text_lines.h"

namespace krnz::report {
namespace {

constexpr double kBasePt = 10.0;
constexpr std::int32_t kRuleGrey = 0x808080;

// A user text on one line of the box: its captions and values must stay line by line.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

InfoBoxTexts infoTexts(const PrintSources& s) {
    InfoBoxTexts t;
    if (s.choices.sampleInfo) {
        t.sampleLabels = joinCrLf(s.view.sampleLabels);
        t.sampleValues = joinCrLf(s.view.sampleValues);
    }
    if (s.choices.userInfo) {
        const UserInfo& u = *s.userInfo;
        t.userCaptions = joinCrLf({s.view.userCaptions.begin(), s.view.userCaptions.end()});
        t.userValues = joinCrLf({oneLine(u.client), oneLine(u.operation), oneLine(u.location),
                                 oneLine(u.operatorName), oneLine(u.notes)});
    }
    return t;
}

double textLine(PageTarget& target, const std::string& text, double left, double top, double width,
                bool bold) {
    target.setFontBold(bold);
    target.setFontSize(kBasePt);
    const double h = target.calcTextHeight(text, width);
    target.textBox(text, left, top, width, h);
    target.setFontBold(false);
    return h;
}

// The diagram in `rect`, and the verdict's table under it; returns the height of both.
double drawDiagram(PageTarget& target, const PrintSources& s, const PageRect& rect,
                   analysis::Reporter& reporter) {
    if (s.ppvzx == nullptr) return 0.0;
    PpvzxDiagram diagram = *s.ppvzx;
    diagram.color = s.options->printInColor;
    drawPPVZX(target, diagram, rect, reporter);
    if (s.verdict == nullptr) return rect.height;
    const double gap = 0.6 * target.textHeight("X");
    return rect.height + gap +
           printVerdictTable(target, *s.verdict, rect.left, rect.bottom() + gap, rect.width,
                             s.options->printInColor);
}

void spectrumPage(PageTarget& target, const PrintSources& s, const PageRect& area, double lh) {
    if (s.spectrum == nullptr) return;
    const PrintSpectrum& sp = *s.spectrum;
    const std::string heading = sp.selected + " (" + s.texts->text("preview", "interval") + ": " +
                                formatNumber(sp.tStart, "0.000") + "s - " +
                                formatNumber(sp.tEnd, "0.000") + "s)";
    double y = area.top;
    y += textLine(target, heading, area.left, y, area.width, false) + 0.6 * lh;
    const PageRect graphs{area.left, y, area.width, area.bottom() - y};
    auto graphOf = [&](int slot) {
        const auto i = static_cast<std::size_t>(slot);
        PrintedGraph g;
        g.setup = &sp.graphs[i];
        g.yUnit = sp.yUnits[i];
        g.maxampatText = s.texts->text("frq", "maxampat");
        g.xReadout = sp.xReadouts[i];
        g.yReadout = sp.yReadouts[i];
        return g;
    };
    if (s.choices.fftAll) {
        const double w = graphs.width / 2;
        const double h = graphs.height / 2;
        for (int slot = 0; slot < kSlots; ++slot) {
            const double left = graphs.left + (slot % 2) * w;
            const double top = graphs.top + (slot / 2) * h;
            printGraph(target, graphOf(slot), {left, top, w - 0.8 * lh, h - 0.8 * lh});
        }
    } else {
        printGraph(target, graphOf(std::clamp(s.choices.fftSel, 0, kSlots - 1)), graphs);
    }
}

void eventPage(PageTarget& target, const PrintSources& s, const PageRect& area, double lh,
               analysis::Reporter& reporter) {
    const PrintChoices& c = s.choices;
    double y = area.top;
    if (c.onlyPpvzx) {
        const double side = std::min(area.width, area.bottom() - y);
        drawDiagram(target, s, {area.left, y, area.width, std::min(side, area.width * 0.85)},
                    reporter);
        return;
    }
    const InfoBoxTexts info = infoTexts(s);
    if (c.ppvzx) {
        const double gap = 1.2 * lh;
        // As wide as its texts want, within a fair share of the row beside the diagram.
        const double boxWidth = std::round(
            std::clamp(infoBoxWidth(target, info, true), area.width * 0.40, area.width * 0.56));
        const double diagramLeft = area.left + boxWidth + gap;
        const double diagramWidth = area.right() - diagramLeft;
        // The diagram's height is the smaller of what its width suggests and a share of the page.
        const double diagramHeight = std::min(diagramWidth * 0.85, (area.bottom() - y) * 0.45);
        const double boxHeight = printInfoBox(target, info, area.left, y, boxWidth, true);
        const double diagramAndTable =
            drawDiagram(target, s, {diagramLeft, y, diagramWidth, diagramHeight}, reporter);
        y += std::max(boxHeight, diagramAndTable) + gap;
    } else {
        const double boxHeight = printInfoBox(target, info, area.left, y, area.width, false);
        if (boxHeight > 0.0) y += boxHeight + 1.2 * lh;
    }
    // Zeros the instrument never recorded must not pass on paper for a quiet end of the record.
    const std::string notice = truncationNotice(s.event->sample, *s.texts);
    if (!notice.empty()) y += textLine(target, notice, area.left, y, area.width, true) + 0.6 * lh;
    if (!c.samples) return;
    StripSources strips{s.event, s.options, &s.choices, &s.view};
    printChannels(target, strips, {area.left, y, area.width, area.bottom() - y});
}

void compose(PageTarget& target, const PrintSources& s, const PageMargins& margins,
             analysis::Reporter& reporter) {
    const PageRect page{margins.left, margins.top,
                        target.pageWidth() - margins.left - margins.right,
                        target.pageHeight() - margins.top - margins.bottom};
    target.setFontBold(false);
    target.setFontSize(kBasePt);
    const double lh = target.textHeight("X");

    // Header: company block at the top margin, the version at the top right beside it.
    printVersion(target, s.version, page.right(), page.top);
    const double versionWidth = target.textWidth("version " + s.version);
    const double versionHeight = target.textHeight("X");
    double y = page.top;
    if (s.choices.printHeader)
        y = printCompanyBlock(target, *s.userInfo, page.left, page.top,
                              page.width - versionWidth - lh);
    y = std::max(y, page.top + versionHeight) + 0.4 * lh;
    target.setPenColor(kRuleGrey);
    target.setPenWidth(0);
    target.setPenStyle(PenStyle::Solid);
    target.drawLine(page.left, y, page.right(), y);
    y += 0.5 * lh;

    const std::string identification = eventIdentificationLine(s.event->sample, *s.texts);
    if (s.choices.spectrumPrint) {
        // The graphs come first; the identification closes the page under them.
        target.setFontBold(true);
        target.setFontSize(kBasePt);
        const double idHeight = target.calcTextHeight(identification, page.width);
        spectrumPage(target, s, {page.left, y, page.width, page.bottom() - idHeight - 0.5 * lh - y},
                     lh);
        textLine(target, identification, page.left, page.bottom() - idHeight, page.width, true);
        return;
    }
    y += textLine(target, identification, page.left, y, page.width, true) + 0.7 * lh;
    eventPage(target, s, {page.left, y, page.width, page.bottom() - y}, lh, reporter);
}

}  // namespace

bool printPage(PageTarget& target, const PrintSources& sources, const PageMargins& margins,
               analysis::Reporter& reporter) {
    target.setOrientation(sources.choices.spectrumPrint ? Orientation::Landscape
                                                        : Orientation::Portrait);
    target.setColorMode(1);
    target.startDoc();
    bool complete = false;
    try {
        compose(target, sources, margins, reporter);
        complete = true;
    } catch (const Error& e) {
        reportError(reporter, e);
    } catch (const std::bad_alloc&) {
        reportError(reporter, Error(kErrOutOfMemory, "Out of memory"));
    } catch (const std::exception& e) {
        reporter.message(e.what());
    }
    target.endDoc();
    return complete;
}

}  // namespace krnz::report
