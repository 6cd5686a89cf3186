// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

// Second-order recursive low- and high-pass filters (damping 1/sqrt(2)) on one row in place:
// the poles of w^2 / (s^2 + 2 zeta w s + w^2), w = 2 pi fc, mapped by z = exp(s dt). The high-pass
// feeds the same recursion with the second difference of the input scaled by 1 / (w dt)^2.
namespace krnz::analysis {

// Whether fc (Hz) gives a meaningful recursion at sample interval dt (s): above 0 and below half
// the sampling frequency. At 0 the high-pass divides by zero and the low-pass has no pole left
// inside the unit circle; at or above half the sampling frequency the poles alias.
bool isUsableCutOff(double fcHz, double dt);

// The common body. Samples 0 and 1 and the last two are start and end values, not filtered
// output. Throws krnz::Error (invalid procedure call) before touching the row when the cut-off
// is not usable.
void filter2(std::span<float> x, double dt, double fcHz, bool lowPass);

// filter2 on two rows of one length at once, the same to the bit as on each in turn.
void filter2Pair(std::span<float> a, std::span<float> b, double dt, double fcHz, bool lowPass);

inline void lowPass(std::span<float> x, double dt, double fcHz) {
    filter2(x, dt, fcHz, true);
}
inline void hiPass(std::span<float> x, double dt, double fcHz) {
    filter2(x, dt, fcHz, false);
}

}  // namespace krnz::analysis
