// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

// Integration and differentiation of one row in place. The unit conversion factor comes from the
// unit bookkeeping; dt is the sample interval in seconds.
namespace krnz::analysis {

// Running sum of (x - mean) * dt, times factor. Removing the mean first keeps an offset from
// turning into a ramp; the first output is (x(0) - mean) * dt * factor, not 0.
void integrate(std::span<float> x, double dt, double factor);

// Forward difference (x(i+1) - x(i)) / dt * factor; the last sample becomes 0.
void differentiate(std::span<float> x, double dt, double factor);

}  // namespace krnz::analysis
