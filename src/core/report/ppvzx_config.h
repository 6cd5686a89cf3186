// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace krnz::report {

// One limit line of a standard: its vertices in drawing order, x in Hz, y in mm/s.
struct LimitLine {
    std::vector<double> lineX;
    std::vector<double> lineY;

    bool operator==(const LimitLine&) const = default;
};

// A vibration standard of "PPVZX.ini": one section of the file.
struct PpvzxStandard {
    std::string name;
    std::string stdUnit = "mm/s";  // unit of the file's velocities; the table holds mm/s
    bool xLog = true;
    bool yLog = true;
    // Axis ranges (Hz, mm/s). Kept for the file's sake: the diagram's axes end at its first and
    // last label values instead.
    double xStart = 0.0;
    double xStop = 0.0;
    double yStart = 0.0;
    double yStop = 0.0;
    std::vector<LimitLine> lines;

    // Velocity numbers and tooltips are shown in the file's unit only when it is "mm/s".
    bool inMmPerS() const { return stdUnit == "mm/s"; }
};

// The contents of "PPVZX.ini": label values shared by every standard, and the standards in file
// order (the order of the "ppvzxStandard" list).
struct PpvzxTable {
    std::vector<double> xLabels;  // Hz; never empty
    std::vector<double> yLabels;  // mm/s; never empty
    std::vector<PpvzxStandard> standards;

    // Position of the standard named `name` (exact match), or -1.
    int indexOf(std::string_view name) const;
};

// "line" followed by the line number formatted "00".
std::string lineKey(int line);

// Reads "PPVZX.ini" as `readPPVZXini` does. Missing keys take their defaults and a missing file
// gives the default labels and no standards. Every section except "general" is a standard; its
// lines are "line00", "line01", ... up to the first one missing or empty. A unit other than
// exactly "mm/s" means inches per second: yStart, yStop and every line's y are multiplied by
// 25.4. Throws krnz::Error (type mismatch) when the first element of "xLabels" is not a number.
PpvzxTable readPPVZXini(const std::filesystem::path& file);

// The same from the file's text.
PpvzxTable parsePPVZXini(std::string_view content);

}  // namespace krnz::report
