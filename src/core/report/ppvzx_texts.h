// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/report/ppvzx_config.h"
#include "core/settings/text_lookup.h"

namespace krnz::report {

// The diagram's captions in the user's language (section "extragraph").
struct PpvzxTexts {
    std::string title = "PPV/ZX plot";
    std::string xTitle = "Frequency";  // "xUnitLabel"
    std::string xUnit = "Hz";          // "xUnit"
    std::string yTitle = "Velocity";   // "yUnitLabel"; "yUnit" is the standard's unit
    std::string xTag = "f";            // the titles' short forms, for marker tooltips
    std::string yTag = "v";
};
PpvzxTexts ppvzxTexts(const TextLookup& texts);

// "#0.###": at most three decimals, trailing zeros and a bare point dropped ("0.1", "2", "0.04").
std::string formatUpTo3Decimals(double x);

// A velocity axis number: the label value as text for a standard in mm/s, else the value divided
// by 25 with up to three decimals. Dividing by 25, not 25.4, is what users of the file rely on:
// labels at 2.5, 25 and 250 mm/s read 0.1, 1 and 10 in/s.
std::string velocityAxisText(double labelMmPerS, const PpvzxStandard& standard);

// A marker's tooltip: "<yTag>: A <xTag>: F", A the amplitude (in in/s, divided by 25.4, for a
// standard not in mm/s) and F the frequency, both to three significant digits.
std::string markerTooltip(double ampMmPerS, double frequencyHz, const PpvzxStandard& standard,
                          const PpvzxTexts& texts);

}  // namespace krnz::report
