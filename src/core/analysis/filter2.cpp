// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/filter2.h"

#include <cmath>
#include <string>

#include "core/common/error.h"
#include "core/common/value_format.h"

namespace krnz::analysis {
namespace {

// The constant as the filters have always used it; the digits matter for identical output.
constexpr double kTwoPi = 6.28318530717958;

}  // namespace

bool isUsableCutOff(double fcHz, double dt) {
    return fcHz > 0.0 && fcHz * dt < 0.5;
}

void filter2(std::span<float> x, double dt, double fcHz, bool lowPass) {
    if (!isUsableCutOff(fcHz, dt))
        throw Error(kErrInvalidProcedureCall,
                    "Cut-off frequency " + textOf(fcHz) +
                        " Hz must lie above 0 and below half the sampling frequency");
    const double zeta = 1.0 / std::sqrt(2.0);
    const double e = std::exp(-kTwoPi * dt * zeta * fcHz);
    const double wdDt = kTwoPi * dt * fcHz * std::sqrt(1.0 - zeta * zeta);
    const double b1 = 2.0 * e * std::cos(wdDt);
    const double b2 = -(e * e);
    const double g = 1.0 - b1 - b2;  // unit gain at DC
    const double w = kTwoPi * dt * fcHz;
    const double secondDifferenceScale = w * w;

    const std::size_t n = x.size();
    if (n >= 2) x[0] = x[1];
    // The previous two outputs as stored (float), which is what the recursion reads back.
    float y2 = n >= 1 ? x[0] : 0.0f;
    float y1 = n >= 2 ? x[1] : 0.0f;
    for (std::size_t k = 2; k + 3 <= n; ++k) {
        float in = x[k];
        if (!lowPass) {
            // Uses the still unfiltered x(k+1), x(k+2): one sample earlier than a centred
            // difference.
            in = static_cast<float>((static_cast<double>(x[k]) - 2.0 * x[k + 1] + x[k + 2]) /
                                    secondDifferenceScale);
        }
        const float y = static_cast<float>(g * in + b1 * y1 + b2 * y2);
        x[k] = y;
        y2 = y1;
        y1 = y;
    }
    if (n >= 3) {
        x[n - 2] = x[n - 3];
        x[n - 1] = x[n - 3];
    }
}

}  // namespace krnz::analysis
