// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/verdict.h"

#include <cmath>
#include <string_view>

#include "core/analysis/measurements.h"
#include "core/common/parallel.h"
#include "core/report/half_waves.h"

namespace krnz::report {
namespace {

double onAxis(double value, bool log) {
    return log ? std::log10(value) : value;
}

void replaceAll(std::string& text, std::string_view what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

}  // namespace

std::optional<double> limitAt(const PpvzxStandard& standard, const LimitLine& line,
                              double frequency) {
    const std::vector<double>& x = line.lineX;
    const std::vector<double>& y = line.lineY;
    if (x.empty()) return std::nullopt;
    double limit = y.front();
    if (frequency >= x.back()) {
        limit = y.back();
    } else if (frequency > x.front()) {
        // The segment x[i] <= f < x[i+1], so a frequency on a vertex takes the vertex's value
        // exactly.
        std::size_t i = 0;
        while (!(frequency >= x[i] && frequency < x[i + 1]) && i + 2 < x.size()) ++i;
        if (frequency == x[i]) {
            limit = y[i];
        } else {
            const double x0 = onAxis(x[i], standard.xLog);
            const double x1 = onAxis(x[i + 1], standard.xLog);
            const double y0 = onAxis(y[i], standard.yLog);
            const double y1 = onAxis(y[i + 1], standard.yLog);
            const double t = (onAxis(frequency, standard.xLog) - x0) / (x1 - x0);
            const double v = y0 + t * (y1 - y0);
            limit = standard.yLog ? std::pow(10.0, v) : v;
        }
    }
    if (!(std::isfinite(limit) && limit > 0.0)) return std::nullopt;
    return limit;
}

const LineVerdict* ChannelVerdict::worstLine() const {
    const LineVerdict* worst = nullptr;
    for (const LineVerdict& l : lines)
        if (l.worstRatio && (!worst || *l.worstRatio > *worst->worstRatio)) worst = &l;
    return worst;
}

std::optional<double> ChannelVerdict::worstRatio() const {
    const LineVerdict* worst = worstLine();
    return worst ? worst->worstRatio : std::nullopt;
}

bool ChannelVerdict::exceeds() const {
    for (const LineVerdict& l : lines)
        if (l.exceeds) return true;
    return false;
}

bool Verdict::exceeds() const {
    for (const ChannelVerdict& c : channels)
        if (c.exceeds()) return true;
    return false;
}

ChannelVerdict judgeChannel(const PpvzxStandard& standard, int slot, bool plottable,
                            const std::vector<double>& amps, const std::vector<double>& frqs) {
    ChannelVerdict verdict;
    verdict.slot = slot;
    verdict.plottable = plottable;
    for (std::size_t l = 0; l < standard.lines.size(); ++l) {
        LineVerdict line;
        line.line = static_cast<int>(l);
        for (std::size_t i = 0; plottable && i < amps.size() && i < frqs.size(); ++i) {
            if (!(amps[i] > 0.0 && frqs[i] > 0.0)) continue;
            const std::optional<double> limit = limitAt(standard, standard.lines[l], frqs[i]);
            if (!limit) continue;
            const double ratio = amps[i] / *limit;
            if (!std::isfinite(ratio)) continue;
            if (!line.worstRatio || ratio > *line.worstRatio) {
                line.worstRatio = ratio;
                line.amplitude = amps[i];
                line.frequency = frqs[i];
                line.limit = limit;
            }
        }
        line.exceeds = line.worstRatio && *line.worstRatio > 1.0;
        verdict.lines.push_back(line);
    }
    return verdict;
}

Verdict judgeEvent(const Event& event, bool processed, const PpvzxStandard& standard) {
    Verdict verdict;
    verdict.standard = standard.name;
    parallelFor(kSlots, [&](int c) {
        std::vector<double> amps;
        std::vector<double> frqs;
        const bool plottable = ppvzxPlottable(event, processed, c);
        if (plottable) halfWaves(event, c, std::nullopt, amps, frqs);
        verdict.channels[static_cast<std::size_t>(c)] =
            judgeChannel(standard, c, plottable, amps, frqs);
    });
    return verdict;
}

std::string verdictMethod(const PpvzxStandard& standard, const TextLookup& texts) {
    const char* interpolation = standard.xLog ? (standard.yLog ? "logLog" : "logLin")
                                              : (standard.yLog ? "linLog" : "linLin");
    std::string sentence = texts.text("verdict", "method");
    replaceAll(sentence, "{standard}", standard.name);
    replaceAll(sentence, "{interpolation}", texts.text("verdict", interpolation));
    return sentence;
}

int defaultStandard(const PpvzxTable& table, const std::string& stored) {
    const int index = table.indexOf(stored);
    if (index >= 0) return index;
    return table.standards.empty() ? -1 : 0;
}

}  // namespace krnz::report
