// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/integration.h"

namespace krnz::analysis {

void integrate(std::span<float> x, double dt, double factor) {
    if (x.empty()) return;
    double sum = 0.0;
    for (const float v : x) sum += v;
    const double mean = sum / static_cast<double>(x.size());
    double s = 0.0;
    for (float& v : x) {
        s += (v - mean) * dt;
        v = static_cast<float>(s * factor);
    }
}

void differentiate(std::span<float> x, double dt, double factor) {
    if (x.empty()) return;
    // Ascending, so that x(i+1) is still the input when x(i) is written.
    for (std::size_t i = 0; i + 1 < x.size(); ++i)
        x[i] = static_cast<float>((static_cast<double>(x[i + 1]) - x[i]) / dt * factor);
    x.back() = 0.0f;
}

}  // namespace krnz::analysis
