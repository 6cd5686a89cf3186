// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/print_strips.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "core/common/parallel.h"
#include "core/common/value_format.h"
#include "core/event/units.h"
#include "core/report/dashed_line.h"
#include "core/report/polyline_thinning.h"
#include "core/report/printer_reduction.h"
#include "core/view/full_scale.h"

namespace krnz::report {
namespace {

constexpr double kCaptionPt = 8.0;
constexpr double kAxisPt = 7.5;
constexpr std::int32_t kBlack = 0x000000;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kGridGrey = 0xD0D0D0;
constexpr std::int32_t kZeroGrey = 0x909090;

struct Caption {
    std::string head;  // bold: the sensor and channel, and the unit
    std::string rest;  // the channel measures
};

Caption captionOf(const StripSources& s, int slot) {
    const auto i = static_cast<std::size_t>(slot);
    const PrintView& view = *s.view;
    const std::string unit = unitName(displayedUnit(*s.event, view.processed, slot));
    const std::vector<std::string>& labels = view.channelLabels[i];
    const std::vector<std::string>& values = view.channelValues[i];
    Caption caption;
    caption.head =
        s.choices->sensor && !values.empty()
            ? values[0]
            : view.channelText + " " + std::to_string(fileChannelOfSlot(s.event->sample, slot));
    caption.head += "  [" + unit + "]";
    if (s.choices->channelInfo) {
        for (std::size_t k = 1; k < labels.size() && k < values.size(); ++k) {
            if (values[k] == unit) continue;  // the unit stands in the head already
            if (!caption.rest.empty()) caption.rest += "     ";
            caption.rest += labels[k] + ": " + values[k];
        }
    }
    return caption;
}

// x of sample index i (fractional) when samples first..last spread over the strip's width.
struct SampleAxis {
    double left = 0.0;
    double width = 0.0;
    std::int32_t first = 0;
    std::int32_t last = 0;

    double x(double i) const {
        if (last <= first) return left;
        return left + (i - first) * width / (last - first);
    }
};

// pixelColumnExtremesOf for a trace whose x rises with the sample: each column's last sample is
// found by a search instead of placing every sample, which costs two divisions apiece.
template <typename PointAt>
std::vector<PagePoint> columnExtremesOfTrace(std::int32_t count, const SampleAxis& axis,
                                             const PointAt& pointAt, double pixelWidth) {
    const auto columnOf = [&](std::int32_t i) { return std::floor(axis.x(i) / pixelWidth); };
    const auto at = [&](std::size_t i) { return pointAt(static_cast<std::int32_t>(i)); };
    if (!(pixelWidth > 0.0) || count <= 4 || axis.last <= axis.first)
        return pixelColumnExtremesOf(static_cast<std::size_t>(count), at, pixelWidth);
    std::vector<PagePoint> out;
    std::int32_t stride = 1;  // samples in the last column, where the search starts
    for (std::int32_t i = 0; i < count;) {
        const double column = columnOf(i);
        // The first sample of a later column: gallop out from the last column's width, then
        // halve the interval between a sample still in this column and one beyond it.
        std::int32_t inside = i, beyond = i;
        for (std::int32_t step = stride;; step *= 2) {
            beyond = count - i > step ? i + step : count;
            if (beyond == count || columnOf(beyond) != column) break;
            inside = beyond;
        }
        while (beyond - inside > 1) {
            const std::int32_t mid = inside + (beyond - inside) / 2;
            (columnOf(mid) == column ? inside : beyond) = mid;
        }
        const std::int32_t end = beyond;
        stride = std::max(1, end - i);
        appendColumnExtremes(out, static_cast<std::size_t>(i), static_cast<std::size_t>(end), at);
        i = end;
    }
    return out;
}

// 1, 2, 5 times a power of ten.
double niceStepAtLeast(double x) {
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * decade >= x * (1 - 1e-12)) return m * decade;
    return 10.0 * decade;
}

int decimalsOf(double step) {
    int d = 0;
    while (d < 6 &&
           std::fabs(step * std::pow(10.0, d) - std::round(step * std::pow(10.0, d))) > 1e-9)
        ++d;
    return d;
}

struct TimeTick {
    double x;
    std::string label;
};

std::vector<TimeTick> timeTicks(PageTarget& target, const SampleRecord& rec,
                                const SampleAxis& axis) {
    std::vector<TimeTick> ticks;
    const double dt = rec.sampleInterval;
    if (!(dt > 0.0) || axis.last <= axis.first) return ticks;
    const double t0 = axis.first * dt - rec.pretrig;
    const double t1 = axis.last * dt - rec.pretrig;
    const double labelWidth = target.textWidth("-00.000");
    const double step = printTimeStep(t1 - t0, std::max(1.0, axis.width / (2.2 * labelWidth)));
    const int decimals = decimalsOf(step);
    for (double k = std::ceil(t0 / step - 1e-9); k * step <= t1 + step * 1e-9; k += 1.0) {
        const double t = k * step;
        ticks.push_back({axis.x((t + rec.pretrig) / dt), formatFixed(t, decimals)});
    }
    return ticks;
}

void drawAmplitudeLabels(PageTarget& target, const PageRect& strip, double fullScale, double lh) {
    const std::string top = textOf(fullScale);
    const std::string bottom = "-" + top;
    const double right = strip.left - 0.4 * lh;
    for (const auto& [text, y] :
         {std::pair{top, strip.top}, std::pair{std::string("0"), strip.top + strip.height / 2},
          std::pair{bottom, strip.bottom()}}) {
        const double w = target.textWidth(text);
        target.textBox(text, right - w, y - lh / 2, w, lh, TextAlign::Right);
    }
}

void drawCursors(PageTarget& target, const StripSources& s, const SampleAxis& axis, double top,
                 double bottom, double lh) {
    const std::int32_t n = s.event->sample.nSamplesPerChannel;
    for (const PrintCursor& cursor : s.view->cursors) {
        const double i = cursor.fraction * n;
        if (!(i >= axis.first && i <= axis.last + 1)) continue;
        const double x = axis.x(std::min(i, static_cast<double>(axis.last)));
        target.setPenColor(kBlack);
        target.setPenWidth(0);
        dashedLine(target, x, top, x, bottom);
        if (cursor.caption.empty()) continue;
        const double w = target.textWidth(cursor.caption) + 0.6 * lh;
        const double h = target.textHeight(cursor.caption) + 0.2 * lh;
        double left = x + 0.3 * lh;
        if (left + w > axis.left + axis.width) left = x - 0.3 * lh - w;
        target.setBrushColor(kWhite);
        target.setBrushStyle(BrushStyle::Solid);
        target.drawRectangle(left, top + 0.2 * lh, left + w, top + 0.2 * lh + h);
        target.setBrushStyle(BrushStyle::Transparent);
        target.textBox(cursor.caption, left + 0.3 * lh, top + 0.3 * lh, w - 0.6 * lh, h,
                       TextAlign::Left);
    }
}

}  // namespace

double printTimeStep(double spanS, double maxDivisions) {
    if (!(spanS > 0.0) || !(maxDivisions > 0.0)) return 1.0;
    return niceStepAtLeast(spanS / maxDivisions);
}

std::vector<PagePoint> waveformPoints(const SampleRecord& rec, int slot, const PageRect& strip,
                                      double fullScale, SampleRange range, int printerDataReduction,
                                      double twipsPerPixel) {
    if (range.last < range.first || rec.sampleData.empty()) return {};
    const std::span<const float> row = rec.sampleData.row(slot);
    const std::span<const float> samples =
        row.subspan(static_cast<std::size_t>(range.first),
                    static_cast<std::size_t>(range.last - range.first + 1));
    const double tolerance = 2 * reductionFactor(printerDataReduction) * fullScale;
    const SampleAxis axis{strip.left, strip.width, 0,
                          static_cast<std::int32_t>(samples.size()) - 1};
    const double centre = strip.top + strip.height / 2;
    const double scale = strip.height / 2 / fullScale;
    const auto pointAt = [&](std::int32_t i) {
        const double y = centre - samples[static_cast<std::size_t>(i)] * scale;
        return PagePoint{axis.x(i), std::clamp(y, strip.top, strip.bottom())};
    };
    if (tolerance > 0.0) {
        const std::vector<std::int32_t> indices = reducedTraceIndices(samples, tolerance);
        std::vector<PagePoint> points;
        points.reserve(indices.size());
        for (const std::int32_t i : indices) points.push_back(pointAt(i));
        return points;
    }
    // Every sample, as far as the device's pixel columns can tell them apart: the target
    // would thin the full trace to the same points.
    return columnExtremesOfTrace(static_cast<std::int32_t>(samples.size()), axis, pointAt,
                                 twipsPerPixel);
}

namespace {

void drawWaveform(PageTarget& target, const std::vector<PagePoint>& points) {
    if (points.empty()) return;
    target.setPenColor(kBlack);
    target.setPenStyle(PenStyle::Solid);
    if (points.size() == 1) {
        target.drawLine(points[0].x, points[0].y, points[0].x, points[0].y);
    } else {
        target.drawPolyline(points);
    }
}

}  // namespace

void printWaveform(PageTarget& target, const SampleRecord& rec, int slot, const PageRect& strip,
                   double fullScale, SampleRange range, int printerDataReduction) {
    drawWaveform(target, waveformPoints(rec, slot, strip, fullScale, range, printerDataReduction,
                                        target.twipsPerPixelX()));
}

void printChannels(PageTarget& target, const StripSources& s, const PageRect& area) {
    const PrintChoices& choices = *s.choices;
    const SampleRecord& rec = s.event->sample;
    const int count = countPrintChannels(choices);
    if (count == 0) return;
    const SampleRange range =
        choices.printzoom
            ? sampleRangeOf(s.view->visibleStart, s.view->visibleEnd, rec.nSamplesPerChannel)
            : sampleRangeOf(0.0, 1.0, rec.nSamplesPerChannel);

    target.setFontBold(false);
    target.setFontSize(kAxisPt);
    const double lh = target.textHeight("X");
    double column = target.textWidth("+00.00");
    for (int c = 0; c < kSlots; ++c)
        if (printChannelOn(choices, c))
            column = std::max(
                column, target.textWidth("-" + textOf(settings::getManualScale(*s.options, c))));
    const double stripLeft = area.left + column + 0.4 * lh;
    const double stripWidth = area.right() - stripLeft;
    if (stripWidth <= 0.0) return;

    // Caption lines are measured first so every strip gets the same room for them.
    target.setFontSize(kCaptionPt);
    std::vector<Caption> captions(kSlots);
    double captionH = 0.0;
    for (int c = 0; c < kSlots; ++c) {
        if (!printChannelOn(choices, c)) continue;
        Caption& cap = captions[static_cast<std::size_t>(c)];
        cap = captionOf(s, c);
        target.setFontBold(true);
        const double headW = target.textWidth(cap.head);
        double h = target.textHeight(cap.head);
        target.setFontBold(false);
        if (!cap.rest.empty())
            h = std::max(h, target.calcTextHeight(cap.rest, std::max(lh, stripWidth - headW - lh)));
        captionH = std::max(captionH, h);
    }

    const double axisH = 0.3 * lh + lh + 0.3 * lh;
    const double block = roundHalfEven((area.height - axisH) / count);
    const SampleAxis axis{stripLeft, stripWidth, range.first, range.last};
    target.setFontSize(kAxisPt);
    const std::vector<TimeTick> ticks = timeTicks(target, rec, axis);

    const auto stripOf = [&](int c) {
        const double blockTop = area.top + countPrintChannelsBefore(choices, c) * block;
        return PageRect{stripLeft, blockTop + captionH + 0.2 * lh, stripWidth,
                        block - captionH - 0.2 * lh - 0.5 * lh};
    };
    // A long record's traces are worked out side by side before any is drawn.
    std::array<std::vector<PagePoint>, kSlots> traces;
    const double twipsPerPixel = target.twipsPerPixelX();
    parallelFor(kSlots, [&](int c) {
        const PageRect strip = stripOf(c);
        if (!printChannelOn(choices, c) || strip.height <= 0.0) return;
        traces[static_cast<std::size_t>(c)] =
            waveformPoints(rec, c, strip, settings::getManualScale(*s.options, c), range,
                           s.options->printerDataReduction, twipsPerPixel);
    });

    std::optional<double> firstTop;
    PageRect strip;
    for (int c = 0; c < kSlots; ++c) {
        if (!printChannelOn(choices, c)) continue;
        const double blockTop = area.top + countPrintChannelsBefore(choices, c) * block;
        strip = stripOf(c);
        if (strip.height <= 0.0) return;
        if (!firstTop) firstTop = strip.top;

        const Caption& cap = captions[static_cast<std::size_t>(c)];
        target.setFontSize(kCaptionPt);
        target.setFontBold(true);
        const double headW = target.textWidth(cap.head);
        target.textBox(cap.head, stripLeft, blockTop, headW, captionH);
        target.setFontBold(false);
        if (!cap.rest.empty())
            target.textBox(cap.rest, stripLeft + headW + lh, blockTop, stripWidth - headW - lh,
                           captionH);

        target.setPenStyle(PenStyle::Solid);
        target.setPenWidth(0);
        target.setPenColor(kGridGrey);
        for (const TimeTick& tick : ticks)
            target.drawLine(tick.x, strip.top, tick.x, strip.bottom());
        target.setPenColor(kZeroGrey);
        const double centre = strip.top + strip.height / 2;
        target.drawLine(strip.left, centre, strip.right(), centre);
        target.setPenColor(kBlack);
        target.setBrushStyle(BrushStyle::Transparent);
        target.drawRectangle(strip.left, strip.top, strip.right(), strip.bottom());

        target.setFontSize(kAxisPt);
        const double fullScale = settings::getManualScale(*s.options, c);
        drawAmplitudeLabels(target, strip, fullScale, lh);
        target.setPenWidth(choices.bold ? choices.printPenWidth : 0.0);
        drawWaveform(target, traces[static_cast<std::size_t>(c)]);
        target.setPenWidth(0);
    }

    // The time axis under the last strip; its unit closes the row at the right.
    target.setFontSize(kAxisPt);
    target.setFontBold(false);
    target.setPenColor(kBlack);
    const std::string unit = "[s]";
    const double unitW = target.textWidth(unit);
    const double labelTop = strip.bottom() + 0.3 * lh;
    target.textBox(unit, area.right() - unitW, labelTop, unitW, lh, TextAlign::Right);
    double lastRight = -1e300;
    for (const TimeTick& tick : ticks) {
        target.drawLine(tick.x, strip.bottom(), tick.x, strip.bottom() + 0.25 * lh);
        const double w = target.textWidth(tick.label);
        const double left = std::max(tick.x - w / 2, area.left);
        if (left < lastRight + 0.5 * lh || left + w > area.right() - unitW - 0.5 * lh) continue;
        target.textBox(tick.label, left, labelTop, w, lh, TextAlign::Centre);
        lastRight = left + w;
    }
    if (choices.cursor && firstTop) drawCursors(target, s, axis, *firstTop, strip.bottom(), lh);
}

}  // namespace krnz::report
