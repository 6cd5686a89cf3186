// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/weightings.h"

#include <array>
#include <cmath>
#include <string>

#include "core/common/error.h"
#include "core/common/value_format.h"

namespace krnz::analysis {
namespace {

constexpr double kTwoPi = 6.28318530717958;

double highPassCoefficient(double frqHz, double f0Hz) {
    const double a = kTwoPi * f0Hz / frqHz;
    if (!(a > 0.0 && a < 2.0))
        throw Error(kErrInvalidProcedureCall,
                    "A " + textOf(f0Hz) + " Hz high-pass needs a sampling frequency above " +
                        textOf(kTwoPi * f0Hz / 2.0) + " Hz");
    return a;
}

double rmsCoefficient(double frqHz, double tauS) {
    const double c = 1.0 / (frqHz * tauS);
    if (!(c > 0.0 && c <= 1.0))
        throw Error(kErrInvalidProcedureCall, "A running rms over " + textOf(tauS) +
                                                  " s needs a sampling frequency of at least " +
                                                  textOf(1.0 / tauS) + " Hz");
    return c;
}

void checkedFirstOrderHighPass(std::span<float> x, double a) {
    double s = 0.0;
    for (std::size_t i = 1; i < x.size(); ++i) {
        s = a * x[i] + (1.0 - a) * s;
        x[i] = static_cast<float>(x[i] - s);
    }
    if (!x.empty()) x[0] = 0.0f;
}

void checkedRunningRms(std::span<float> x, double c) {
    if (x.empty()) return;
    // The average starts from 0: sample 0 enters as an averaged square of 0, never as a raw
    // value (a negative one would drive the average below 0 and its root to NaN).
    // The root is taken in the same pass, off the recursion's dependency chain; the recursion
    // goes on with the averaged square as stored (float).
    x[0] = 0.0f;
    float previous = 0.0f;
    for (std::size_t i = 1; i < x.size(); ++i) {
        const double v = x[i];
        previous = static_cast<float>(c * (v * v) + (1.0 - c) * previous);
        x[i] = static_cast<float>(std::sqrt(static_cast<double>(previous)));
    }
}

// firstOrderHighPass then runningRms in one pass: each sample of the high-pass is stored as
// float before the average reads it, exactly as two passes would, but the two recursions
// overlap; so do those of the R rows (of one length) given at once.
template <std::size_t R>
void comfort(const std::array<std::span<float>, R>& rows, double frqHz, double tauS) {
    // Both checks first, so that a refused weighting leaves the rows as they were.
    const double a = highPassCoefficient(frqHz, kComfortCornerHz);
    const double c = rmsCoefficient(frqHz, tauS);
    const std::size_t n = rows[0].size();
    if (n == 0) return;
    std::array<double, R> s{};
    std::array<float, R> previous{};
    for (std::size_t i = 1; i < n; ++i) {
        // Every row's sample is read before any is written, so the rows' steps need not wait
        // for each other's stores.
        std::array<float, R> in, out;
        for (std::size_t r = 0; r < R; ++r) in[r] = rows[r][i];
        for (std::size_t r = 0; r < R; ++r) {
            s[r] = a * in[r] + (1.0 - a) * s[r];
            const double v = static_cast<float>(in[r] - s[r]);
            previous[r] = static_cast<float>(c * (v * v) + (1.0 - c) * previous[r]);
            out[r] = static_cast<float>(std::sqrt(static_cast<double>(previous[r])));
        }
        for (std::size_t r = 0; r < R; ++r) rows[r][i] = out[r];
    }
    for (const std::span<float> x : rows) x[0] = 0.0f;
}

void comfortPair(std::span<float> a, std::span<float> b, double frqHz, double tauS) {
    if (a.size() != b.size()) {
        comfort<1>({a}, frqHz, tauS);
        comfort<1>({b}, frqHz, tauS);
        return;
    }
    comfort<2>({a, b}, frqHz, tauS);
}

}  // namespace

void firstOrderHighPass(std::span<float> x, double frqHz, double f0Hz) {
    checkedFirstOrderHighPass(x, highPassCoefficient(frqHz, f0Hz));
}

void runningRms(std::span<float> x, double frqHz, double tauS) {
    checkedRunningRms(x, rmsCoefficient(frqHz, tauS));
}

void comfortDin(std::span<float> x, double frqHz) {
    comfort<1>({x}, frqHz, kComfortDinTauS);
}

void comfortScand(std::span<float> x, double frqHz) {
    comfort<1>({x}, frqHz, kComfortScandTauS);
}

void comfortDinPair(std::span<float> a, std::span<float> b, double frqHz) {
    comfortPair(a, b, frqHz, kComfortDinTauS);
}

void comfortScandPair(std::span<float> a, std::span<float> b, double frqHz) {
    comfortPair(a, b, frqHz, kComfortScandTauS);
}

void swedishStandard(std::span<float> x, double frqHz) {
    firstOrderHighPass(x, frqHz, kSwedishStandardCornerHz);
}

}  // namespace krnz::analysis
