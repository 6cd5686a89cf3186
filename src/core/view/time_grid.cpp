// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/time_grid.h"

#include <cmath>

namespace krnz::view {

std::vector<TimeGridLine> timeGridLines(double nSecPerChannel, double pretrig, double secondsPerRow,
                                        const TimeGrid& grid) {
    std::vector<TimeGridLine> lines;
    const double step = grid.stepS;
    if (!(step > 0) || !(secondsPerRow > 0) || !std::isfinite(nSecPerChannel) ||
        !std::isfinite(pretrig))
        return lines;
    const double count = roundHalfEven(nSecPerChannel / step - 1);
    double t = 0;
    while (t - step > -pretrig) t -= step;
    double row = (pretrig + t) / secondsPerRow;
    const double dRow = step / secondsPerRow;
    for (double k = 0; k <= count; ++k) {
        if (t + 0.1 * step >= nSecPerChannel - pretrig) break;
        lines.push_back({t, row, formatNumber(t, grid.pattern)});
        t += step;
        row += dRow;
    }
    return lines;
}

int amplitudeGridColumn(int widthPx, int k) {
    const double column = (widthPx - 1) / double(kAmplitudeGridLines + 1);
    return static_cast<int>(roundHalfEven(k * column));
}

ScaleLineTexts scaleLineTexts(double fullScale) {
    const std::string text = textOf(fullScale);
    return {"-" + text, "0", " " + text};
}

}  // namespace krnz::view
