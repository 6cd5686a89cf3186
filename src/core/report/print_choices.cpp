// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/print_choices.h"

#include <algorithm>
#include <cmath>

#include "core/view/zoom_scroll.h"

namespace krnz::report {

bool printChannelOn(const PrintChoices& choices, int slot) {
    return choices.channelOn[static_cast<std::size_t>(slot)];
}

int countPrintChannelsBefore(const PrintChoices& choices, int slot) {
    int n = 0;
    for (int c = 0; c < slot; ++c) n += printChannelOn(choices, c) ? 1 : 0;
    return n;
}

int countPrintChannels(const PrintChoices& choices) {
    return countPrintChannelsBefore(choices, kSlots);
}

VisiblePart visiblePart(int zoom, int scrollValue, int scrollMax) {
    if (zoom <= 1) return {};
    // The window's own scroll arithmetic, on a window of height 1 over strips `zoom` high.
    view::ScrollState scroll;
    scroll.value = scrollValue;
    scroll.max = scrollMax;
    const double top = -view::scrolledTop(scroll, zoom, 1.0);
    return {top / zoom, (top + 1.0) / zoom};
}

SampleRange sampleRangeOf(double start, double end, std::int32_t n) {
    if (n <= 0) return {};
    start = std::clamp(start, 0.0, 1.0);
    end = std::clamp(end, start, 1.0);
    auto first = static_cast<std::int32_t>(std::floor(start * n));
    auto last = static_cast<std::int32_t>(std::ceil(end * n)) - 1;
    first = std::clamp(first, 0, n - 1);
    last = std::clamp(last, first, n - 1);
    return {first, last};
}

}  // namespace krnz::report
