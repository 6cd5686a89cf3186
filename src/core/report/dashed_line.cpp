// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/dashed_line.h"

#include <algorithm>
#include <utility>

#include "core/common/value_format.h"

namespace krnz::report {

double dashLength(const PageTarget& target) {
    return roundHalfEven(std::max(std::min(target.pageWidth(), target.pageHeight()) / 500.0, 10.0));
}

void dashedLine(PageTarget& target, double x1, double y1, double x2, double y2) {
    target.setPenStyle(PenStyle::Solid);
    const double d = dashLength(target);
    if (x1 == x2) {
        if (y1 > y2) std::swap(y1, y2);
        for (double y = y1; y < y2; y += 5 * d) target.drawLine(x1, y, x1, std::min(y + d, y2));
    } else if (y1 == y2) {
        if (x1 > x2) std::swap(x1, x2);
        for (double x = x1; x < x2; x += 5 * d) target.drawLine(x, y1, std::min(x + d, x2), y1);
    } else {
        target.setPenStyle(PenStyle::Dot);
        target.drawLine(x1, y1, x2, y2);
        target.setPenStyle(PenStyle::Solid);
    }
}

}  // namespace krnz::report
