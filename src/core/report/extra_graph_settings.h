// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/settings/window_placement.h"

namespace krnz::report {

// "extraGraph.ini", section "general": the chosen standard and where the diagram window was.
struct ExtraGraphSettings {
    std::string standard = "US";
    settings::WindowGeometry geometry{120, 120, 8600, 5780};  // twips

    bool operator==(const ExtraGraphSettings&) const = default;
};

// Reads the file; missing keys, and numbers that are no numbers (read as 0), as the defaults and
// Val give them. With a work area (the screen's, in twips), a stored size larger than it takes
// the work area's size at left or top 0.
ExtraGraphSettings readExtraGraphIni(const std::filesystem::path& file,
                                     const std::optional<settings::WindowGeometry>& workArea);

// `savePPVZXsettings`: writes "standard", "sizeLeft", "sizeTop", "sizeWidth" and "sizeHeight",
// keeping whatever else the file holds. Throws krnz::Error when the file cannot be written.
void savePPVZXsettings(const std::filesystem::path& file, const ExtraGraphSettings& settings);

}  // namespace krnz::report
