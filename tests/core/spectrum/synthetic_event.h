// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>

#include "core/event/event.h"
#include "core/event/units.h"

namespace krnz::test {

// An event of n samples per slot at interval dt, slot c holding unit units[c] and the samples
// signal(c, i).
inline Event syntheticEvent(std::int32_t n, double dt,
                            const std::array<std::uint8_t, kSlots>& units,
                            const std::function<double(int, std::int32_t)>& signal) {
    Event event;
    event.sample.nSamplesPerChannel = n;
    event.sample.sampleInterval = dt;
    event.sample.frq = 1.0 / dt;
    event.sample.sampleData = SampleMatrix(n);
    for (int c = 0; c < kSlots; ++c) {
        event.channels[static_cast<std::size_t>(c)].unit = units[static_cast<std::size_t>(c)];
        for (std::int32_t i = 0; i < n; ++i) {
            event.sample.sampleData(c, i) = static_cast<float>(signal(c, i));
        }
    }
    return event;
}

inline constexpr std::array<std::uint8_t, kSlots> kGeophoneAndMic{kUnitMmPerS, kUnitMmPerS,
                                                                  kUnitMmPerS, kUnitPa};

// amplitude * sin of `cycles` whole periods over `period` samples.
inline double sine(double amplitude, double cycles, std::int32_t period, std::int32_t i) {
    return amplitude * std::sin(2.0 * std::numbers::pi * cycles * i / period);
}

}  // namespace krnz::test
