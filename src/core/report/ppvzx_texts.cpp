// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/ppvzx_texts.h"

#include "core/common/value_format.h"

namespace krnz::report {

PpvzxTexts ppvzxTexts(const TextLookup& texts) {
    PpvzxTexts t;
    t.title = texts.text("extragraph", "ppvzx");
    t.xTitle = texts.text("extragraph", "frequency");
    t.yTitle = texts.text("extragraph", "velocity");
    t.xTag = texts.text("extragraph", "frequencyShort");
    t.yTag = texts.text("extragraph", "velocityShort");
    return t;
}

std::string formatUpTo3Decimals(double x) {
    std::string text = formatNumber(x, "#0.000");
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string velocityAxisText(double labelMmPerS, const PpvzxStandard& standard) {
    if (standard.inMmPerS()) return textOf(labelMmPerS);
    return formatUpTo3Decimals(labelMmPerS / 25);
}

std::string markerTooltip(double ampMmPerS, double frequencyHz, const PpvzxStandard& standard,
                          const PpvzxTexts& texts) {
    const double a = standard.inMmPerS() ? ampMmPerS : ampMmPerS / 25.4;
    return texts.yTag + ": " + textOf(vardesiffror(a, 3)) + " " + texts.xTag + ": " +
           textOf(vardesiffror(frequencyHz, 3));
}

}  // namespace krnz::report
