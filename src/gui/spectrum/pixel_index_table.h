// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/spectrum/graph_mapping.h"

namespace krnz::gui {

// Which data point the cross-hair reads in each pixel column 0..width-1 of a graph's plot. A
// column takes the last point drawn in it. Columns no point falls in (lines wider than a pixel)
// take the point whose column lies nearest, the left one on ties, so that the readout names a
// drawn point instead of point 0; -1 throughout when no point lies in the plot's columns.
std::vector<std::int32_t> pixelIndexTable(std::span<const double> x,
                                          const spectrum::GraphMapping& map);

}  // namespace krnz::gui
