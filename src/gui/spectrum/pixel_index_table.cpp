// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/spectrum/pixel_index_table.h"

#include <algorithm>

namespace krnz::gui {

std::vector<std::int32_t> pixelIndexTable(std::span<const double> x,
                                          const spectrum::GraphMapping& map) {
    const int width = std::max(map.width, 0);
    std::vector<std::int32_t> table(static_cast<std::size_t>(width), -1);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double column = map.px(x[i]);
        if (column >= 0 && column < width)
            table[static_cast<std::size_t>(column)] = static_cast<std::int32_t>(i);
    }
    // Spread each drawn column's point halfway to its neighbours.
    int previous = -1;
    for (int c = 0; c <= width; ++c) {
        if (c < width && table[static_cast<std::size_t>(c)] < 0) continue;
        const int from = previous < 0 ? 0 : previous + 1;
        for (int gap = from; gap < c; ++gap) {
            const bool leftNearer = previous >= 0 && (c == width || gap - previous <= c - gap);
            table[static_cast<std::size_t>(gap)] =
                leftNearer ? table[static_cast<std::size_t>(previous)]
                           : table[static_cast<std::size_t>(std::min(c, width - 1))];
        }
        previous = c;
    }
    return table;
}

}  // namespace krnz::gui
