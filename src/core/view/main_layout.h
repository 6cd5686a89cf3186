// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>

#include "core/event/event.h"

namespace krnz::view {

// The smallest main window, in twips.
inline constexpr int kMinimumWidthTwips = 9000;
inline constexpr int kMinimumHeightTwips = 6000;

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool visible = false;
};

// What the layout pass reads, in the window's logical pixels.
struct LayoutInputs {
    int innerWidth = 0;  // client area below the menu bar
    int innerHeight = 0;
    bool toolbarOn = true;
    bool sampleInfoOn = true;
    bool channelInfoOn = true;
    int toolbarHeight = 0;
    int sampleInfoHeight = 0;
    int channelInfoHeight = 0;
    int zoom = 1;
    int scrollBarWidth = 0;
    int scaleColumnWidth = 0;  // the time-scale column: text width of "+2.455"
    std::array<bool, kSlots> active{};
};

// Where the layout pass puts everything. Panels and the graph area are in window coordinates;
// the scale column and the graphs in graph-area coordinates, as tall as the area times the zoom;
// the channel blocks in channel-panel coordinates, above their graphs.
struct MainLayout {
    Rect toolbar;
    Rect sampleInfo;
    Rect channelInfo;
    Rect graphArea;
    Rect scaleColumn;
    Rect scrollBar;
    std::array<Rect, kSlots> graphs{};
    std::array<Rect, kSlots> channelBlocks{};
};

// The layout pass's arithmetic: panels stacked below the toolbar in the order toolbar, sample
// info, channel info, graph area, a switched-off panel taking no height; the scroll bar only
// from zoom 2 on; the active graphs side by side right of the scale column, each
// round((area width - column width) / active count) wide. With no active slot no graph is shown.
MainLayout layoutMainWindow(const LayoutInputs& in);

// Step 3 of the layout pass: a window narrower than the minimum gets the minimum width, else a
// window lower than the minimum gets the minimum height; nullopt when it is large enough.
struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};
std::optional<Size> minimumSizeCorrection(Size window, Size minimum);

// Twips to logical pixels for a screen with `twipsPerPixel`, rounded up so the minimum holds.
int twipsToPixels(double twips, double twipsPerPixel);

// The user-information fields: as wide as the panel allows, at most `widestWidth` (31 "W").
int userFieldWidth(int userInfoWidth, int fieldLeft, int widestWidth);

// The "more..." button beside the notes field, and the notes field cut so that they do not
// overlap.
struct MoreButtonPlacement {
    int buttonLeft = 0;
    int notesWidth = 0;
};
MoreButtonPlacement placeMoreButton(int userInfoWidth, int buttonWidth, int notesLeft,
                                    int notesWidth);

}  // namespace krnz::view
