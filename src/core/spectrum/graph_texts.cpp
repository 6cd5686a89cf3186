// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/graph_texts.h"

#include <cmath>

#include "core/common/value_format.h"
#include "core/view/cursor.h"

namespace krnz::spectrum {

std::string tickText(double value) {
    return textOf(vardesiffror(value, 3));
}

std::string readoutText(double stored, bool isLog) {
    const double r = vardesiffror(isLog ? std::pow(10.0, stored) : stored, 3);
    if (r == roundHalfEven(r) || std::fabs(r) < 0.005) return formatNumber(r, "#0");
    // "#0.##": two decimals at most, trailing zeros dropped.
    std::string text = formatFixed(r, 2);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::pair<std::string, std::string> pointReadouts(const GraphSetup& graph, std::size_t i) {
    const bool none = graph.yIsLog && i < graph.yAtMostZero.size() && graph.yAtMostZero[i];
    return {"x:" + readoutText(graph.x[i], graph.xIsLog),
            "y:" + (none ? readoutText(0.0, false) : readoutText(graph.y[i], graph.yIsLog))};
}

std::pair<std::string, std::string> pointReadoutsWithUnits(const GraphSetup& graph, std::size_t i,
                                                           const std::string& xUnit,
                                                           const std::string& yUnit) {
    auto [x, y] = pointReadouts(graph, i);
    // The heading's unit spaces "mm/s   RMS" apart; beside a number one blank reads better.
    std::string unit;
    for (const char c : yUnit)
        if (c != ' ' || (!unit.empty() && unit.back() != ' ')) unit += c;
    while (!unit.empty() && unit.back() == ' ') unit.pop_back();
    // Both plain readouts start with their axis name and a colon ("x:", "y:").
    return {view::withUnit(x.substr(2), xUnit), view::withUnit(y.substr(2), unit)};
}

std::string graphHeading(const std::string& yUnit, int slot, const std::string& maxampatText,
                         double maxAmpFreqHz) {
    return yUnit + "    " + std::to_string(slot + 1) + "    " + maxampatText + " " +
           formatNumber(maxAmpFreqHz, "#0.0") + " Hz";
}

}  // namespace krnz::spectrum
