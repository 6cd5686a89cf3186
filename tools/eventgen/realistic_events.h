// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "k100_writer.h"
#include "k200_writer.h"
#include "tremolog_writer.h"

#include <cstdint>

namespace krnz::eventgen {

// Blast records as an instrument would store them, deterministic from `seed`: three geophone
// components (peaks 0.5..50 mm/s, 5..80 Hz) and a microphone (10..500 Pa) after a quiet
// pretrigger. Date, event number and signal shapes come from the seed; `truth` tells what was
// synthesised. Throw std::invalid_argument for parameters the layout cannot hold.

// regLengthIndex 0..4.
K100Event makeRealisticK100(int regLengthIndex, std::uint32_t seed);

// regLengthIndex 0..4; all eight channels carry a sensor (1-3, 5-7 "Geo", 4 and 8 "AC"), the
// second group farther from the blast. Reference readings scatter by up to 3 counts.
K200Event makeRealisticK200(int regLengthIndex, std::uint32_t seed);

// frq rounded to whole Hz (1..65535), nSamples >= 0. When nSamples is a whole number of seconds
// (up to 65535) both length flags are 0; otherwise both are 1 and the stored length counts.
// ips / psi store unit codes 3 / 9 with the scales still in mm/s and Pa, which the reader
// converts; `truth` is then in ips / psi. Linear in nSamples: four channels of 10 million
// samples take well under two seconds in a release build.
TremologEvent makeRealisticTremolog(double frq, std::int32_t nSamples, std::uint32_t seed,
                                    bool ips = false, bool psi = false);

}  // namespace krnz::eventgen
