// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/report/ppvzx_config.h"

namespace krnz::report {

// The diagram's axis transforms for a plot of width x height twips. The axes end at the first
// and last label values; a logarithmic axis maps natural logarithms. `pixelX`/`pixelY` are the
// device's pixel sizes in twips: the last pixel column and row are the far edges.
class PpvzxAxes {
  public:
    PpvzxAxes(const PpvzxTable& table, const PpvzxStandard& standard, double width, double height,
              double pixelX, double pixelY);

    // `xAxisValue`, `yAxisValue`: the value, or its logarithm on a logarithmic axis. There a
    // value of 0 notes "xLog(0) error" ("yLog(0) error") and a negative one the invalid-argument
    // error, and counts as 0, so the drawing goes on.
    double xAxisValue(double v);
    double yAxisValue(double v);

    // `xToPixel`, `yToPixel`: twips from the plot's left and top edges. A frequency below 1 Hz
    // lies on the left edge (x = 1), a velocity below 1 mm/s on the bottom edge. Throws
    // krnz::Error (division by zero) when the axis's first and last label values coincide.
    double xToPixel(double frequencyHz);
    double yToPixel(double velocityMmPerS);

    double plotWidth() const { return m_w; }   // W: the x of the last label
    double plotHeight() const { return m_h; }  // H: the y of the first label

    // The notes made so far, each text once, in the order first met.
    const std::vector<std::string>& messages() const { return m_messages; }

  private:
    double axisValue(double v, bool log, const char* zeroMessage);
    void note(const std::string& message);

    const PpvzxTable& m_table;
    const PpvzxStandard& m_standard;
    double m_w;
    double m_h;
    std::vector<std::string> m_messages;
};

}  // namespace krnz::report
