// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/filter2.h"

#include <array>
#include <cmath>
#include <string>

#include "core/common/error.h"
#include "core/common/value_format.h"

namespace krnz::analysis {
namespace {

// The constant as the filters have always used it; the digits matter for identical output.
constexpr double kTwoPi = 6.28318530717958;

// The recursion on R rows of one length at once: each row's arithmetic is exactly that of a
// row on its own, and the rows' chains of dependent steps overlap.
template <std::size_t R>
void filterRows(const std::array<std::span<float>, R>& rows, double dt, double fcHz, bool lowPass) {
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

    const std::size_t n = rows[0].size();
    // The previous two outputs as stored (float), which is what the recursion reads back.
    std::array<float, R> y1{}, y2{};
    for (std::size_t r = 0; r < R; ++r) {
        const std::span<float> x = rows[r];
        if (n >= 2) x[0] = x[1];
        y2[r] = n >= 1 ? x[0] : 0.0f;
        y1[r] = n >= 2 ? x[1] : 0.0f;
    }
    for (std::size_t k = 2; k + 3 <= n; ++k) {
        // Every row's input is read before any output is written, so the rows' steps need not
        // wait for each other's stores.
        std::array<float, R> in;
        for (std::size_t r = 0; r < R; ++r) {
            const std::span<float> x = rows[r];
            in[r] = x[k];
            if (!lowPass) {
                // Uses the still unfiltered x(k+1), x(k+2): one sample earlier than a centred
                // difference.
                in[r] = static_cast<float>((static_cast<double>(x[k]) - 2.0 * x[k + 1] + x[k + 2]) /
                                           secondDifferenceScale);
            }
        }
        for (std::size_t r = 0; r < R; ++r) {
            const float y = static_cast<float>(g * in[r] + b1 * y1[r] + b2 * y2[r]);
            y2[r] = y1[r];
            y1[r] = y;
        }
        for (std::size_t r = 0; r < R; ++r) rows[r][k] = y1[r];
    }
    if (n >= 3) {
        for (const std::span<float> x : rows) {
            x[n - 2] = x[n - 3];
            x[n - 1] = x[n - 3];
        }
    }
}

}  // namespace

bool isUsableCutOff(double fcHz, double dt) {
    return fcHz > 0.0 && fcHz * dt < 0.5;
}

void filter2(std::span<float> x, double dt, double fcHz, bool lowPass) {
    filterRows<1>({x}, dt, fcHz, lowPass);
}

void filter2Pair(std::span<float> a, std::span<float> b, double dt, double fcHz, bool lowPass) {
    if (a.size() != b.size()) {
        filter2(a, dt, fcHz, lowPass);
        filter2(b, dt, fcHz, lowPass);
        return;
    }
    filterRows<2>({a, b}, dt, fcHz, lowPass);
}

}  // namespace krnz::analysis
