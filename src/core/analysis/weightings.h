// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

// The comfort weightings and the 3.28 Hz high-pass of the vibration standards, on one row in
// place. frqHz is the sampling frequency.
namespace krnz::analysis {

inline constexpr double kComfortCornerHz = 5.6;
inline constexpr double kComfortDinTauS = 0.125;
inline constexpr double kComfortScandTauS = 1.0;
inline constexpr double kSwedishStandardCornerHz = 3.28;

// Subtracts a first-order low-pass with corner f0 from the row; sample 0 becomes 0. The
// recursion s = a x + (1 - a) s, a = 2 pi f0 / frq, is stable only for 0 < a < 2, so a corner at
// or above frq / pi is refused with krnz::Error before the row is touched.
void firstOrderHighPass(std::span<float> x, double frqHz, double f0Hz);

// Replaces the row by the square root of its exponentially averaged square (time constant tau),
// the average starting from 0 at sample 0. frq * tau below 1 would give the average a negative
// weight and is refused with krnz::Error.
void runningRms(std::span<float> x, double frqHz, double tauS);

// firstOrderHighPass at 5.6 Hz, then runningRms with 0.125 s / 1 s.
void comfortDin(std::span<float> x, double frqHz);
void comfortScand(std::span<float> x, double frqHz);
// The same on two rows of one length at once, to the bit as on each in turn.
void comfortDinPair(std::span<float> a, std::span<float> b, double frqHz);
void comfortScandPair(std::span<float> a, std::span<float> b, double frqHz);

// firstOrderHighPass at 3.28 Hz.
void swedishStandard(std::span<float> x, double frqHz);

}  // namespace krnz::analysis
