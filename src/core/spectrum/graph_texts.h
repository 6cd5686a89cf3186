// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "core/spectrum/fft_graphs.h"

namespace krnz::spectrum {

// Label of a tick: the value (on a logarithmic axis the decade itself) to 3 significant digits
// in the plain text form of a number: "0.001", "12.5", "100", "1E+15".
std::string tickText(double value);

// Cursor readout of a stored coordinate (on a logarithmic axis 10 to its power) to 3
// significant digits: up to two decimals ("12.5", "0.33") when it has a fraction and is at least
// 0.005 in magnitude, else a whole number ("250", "0").
std::string readoutText(double stored, bool isLog);

// The cross-hair readouts of point i of a graph, "x:" and "y:" with readoutText of its
// coordinates; a value <= 0 on a logarithmic y axis reads 0.
std::pair<std::string, std::string> pointReadouts(const GraphSetup& graph, std::size_t i);

// The same values as the window shows them beside the cross-hair, with their units and without
// the axis names: "12.5 Hz", "0.25 mm/s RMS" (runs of blanks in the unit become one).
std::pair<std::string, std::string> pointReadoutsWithUnits(const GraphSetup& graph, std::size_t i,
                                                           const std::string& xUnit,
                                                           const std::string& yUnit);

// The graph heading: y unit, four blanks, slot + 1, four blanks, the "maxampat" language text,
// a blank, the frequency with one decimal and " Hz".
std::string graphHeading(const std::string& yUnit, int slot, const std::string& maxampatText,
                         double maxAmpFreqHz);

}  // namespace krnz::spectrum
