// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/main_layout.h"

#include <algorithm>
#include <cmath>

#include "core/common/value_format.h"

namespace krnz::view {

MainLayout layoutMainWindow(const LayoutInputs& in) {
    MainLayout out;
    const bool scrolling = in.zoom > 1;
    const int toolbarH = in.toolbarOn ? in.toolbarHeight : 0;
    const int sampleH = in.sampleInfoOn ? in.sampleInfoHeight : 0;
    const int channelH = in.channelInfoOn ? in.channelInfoHeight : 0;
    const int besideScrollBar = in.innerWidth - (scrolling ? in.scrollBarWidth : 0);

    out.toolbar = {0, 0, in.innerWidth, toolbarH, in.toolbarOn};
    out.sampleInfo = {0, toolbarH, in.innerWidth, sampleH, in.sampleInfoOn};
    out.channelInfo = {0, toolbarH + sampleH, besideScrollBar, channelH, in.channelInfoOn};

    const int areaTop = toolbarH + sampleH + channelH;
    const int areaHeight = std::max(0, in.innerHeight - areaTop);
    out.graphArea = {0, areaTop, besideScrollBar, areaHeight, true};
    const int stripHeight = areaHeight * in.zoom;
    out.scaleColumn = {0, 0, in.scaleColumnWidth, stripHeight, true};
    out.scrollBar = {in.innerWidth - in.scrollBarWidth, areaTop, in.scrollBarWidth, areaHeight,
                     scrolling};

    int nActive = 0;
    for (bool a : in.active) nActive += a ? 1 : 0;
    if (nActive == 0) return out;
    const int graphWidth = static_cast<int>(
        roundHalfEven(static_cast<double>(besideScrollBar - in.scaleColumnWidth) / nActive));
    int before = 0;
    for (int c = 0; c < kSlots; ++c) {
        const auto s = static_cast<std::size_t>(c);
        if (!in.active[s]) continue;
        const int left = in.scaleColumnWidth + before * graphWidth;
        out.graphs[s] = {left, 0, graphWidth, stripHeight, true};
        out.channelBlocks[s] = {left, 0, graphWidth, channelH, in.channelInfoOn};
        ++before;
    }
    return out;
}

std::optional<Size> minimumSizeCorrection(Size window, Size minimum) {
    if (window.width < minimum.width) return Size{minimum.width, window.height};
    if (window.height < minimum.height) return Size{window.width, minimum.height};
    return std::nullopt;
}

int twipsToPixels(double twips, double twipsPerPixel) {
    return static_cast<int>(std::ceil(twips / twipsPerPixel - 1e-9));
}

int userFieldWidth(int userInfoWidth, int fieldLeft, int widestWidth) {
    return std::min(userInfoWidth - fieldLeft, widestWidth);
}

MoreButtonPlacement placeMoreButton(int userInfoWidth, int buttonWidth, int notesLeft,
                                    int notesWidth) {
    MoreButtonPlacement out;
    out.buttonLeft = std::min(userInfoWidth - buttonWidth, notesLeft + notesWidth + buttonWidth);
    out.notesWidth =
        notesLeft + notesWidth > out.buttonLeft ? out.buttonLeft - notesLeft : notesWidth;
    return out;
}

}  // namespace krnz::view
