// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/window_placement.h"

namespace krnz::settings {

WindowGeometry placeWindow(const WindowGeometry& stored, const WindowGeometry& workArea) {
    WindowGeometry placed = stored;
    if (workArea.width < stored.width) {
        placed.width = workArea.width;
        placed.left = 0;
    }
    if (workArea.height < stored.height) {
        placed.height = workArea.height;
        placed.top = 0;
    }
    return placed;
}

}  // namespace krnz::settings
