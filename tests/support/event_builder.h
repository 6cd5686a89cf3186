// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <numbers>
#include <vector>

#include "core/event/event.h"
#include "core/event/units.h"

namespace krnz::test {

// An event in memory of n samples per slot at interval dt (s), no pretrigger, every sample 0;
// slot c holds units[c]. The caller fills the samples and then runs the peak scan.
inline Event emptyEvent(std::int32_t n, double dt, const std::array<std::uint8_t, kSlots>& units) {
    Event e;
    SampleRecord& rec = e.sample;
    rec.nSamplesPerChannel = n;
    rec.sampleInterval = dt;
    rec.frq = 1.0 / dt;
    rec.nSecPerChannel = static_cast<float>(n * dt);
    rec.sampleData = SampleMatrix(n);
    rec.dataLoaded = true;
    for (int c = 0; c < kSlots; ++c)
        e.channels[static_cast<std::size_t>(c)].unit = units[static_cast<std::size_t>(c)];
    return e;
}

inline constexpr std::array<std::uint8_t, kSlots> kAllMmPerS{kUnitMmPerS, kUnitMmPerS, kUnitMmPerS,
                                                             kUnitMmPerS};
inline constexpr std::array<std::uint8_t, kSlots> kGeophoneAndMic{kUnitMmPerS, kUnitMmPerS,
                                                                  kUnitMmPerS, kUnitPa};

// An event of the given rows (shorter ones padded with 0), 1 kHz unless told, every slot a
// "Geo" channel in mm/s; the peak scan has run.
inline Event makeEvent(std::initializer_list<std::vector<float>> rows,
                       double sampleIntervalS = 0.001) {
    std::size_t n = 0;
    for (const auto& r : rows) n = std::max(n, r.size());
    Event e = emptyEvent(static_cast<std::int32_t>(n), sampleIntervalS, kAllMmPerS);
    int c = 0;
    for (const auto& r : rows) {
        for (std::size_t i = 0; i < r.size(); ++i)
            e.sample.sampleData(c, static_cast<std::int32_t>(i)) = r[i];
        ++c;
    }
    for (ChannelRecord& ch : e.channels) {
        ch.sensorKind = 1;
        setDerivedUnits(ch);
    }
    calcMinMax(e.sample);
    return e;
}

// An event of n samples per slot at interval dt, slot c holding unit units[c] and the samples
// signal(c, i); the peak scan has run.
inline Event syntheticEvent(std::int32_t n, double dt,
                            const std::array<std::uint8_t, kSlots>& units,
                            const std::function<double(int, std::int32_t)>& signal) {
    Event e = emptyEvent(n, dt, units);
    for (int c = 0; c < kSlots; ++c)
        for (std::int32_t i = 0; i < n; ++i)
            e.sample.sampleData(c, i) = static_cast<float>(signal(c, i));
    calcMinMax(e.sample);
    return e;
}

// amplitude * sin of `cycles` whole periods over `period` samples.
inline double sine(double amplitude, double cycles, std::int32_t period, std::int32_t i) {
    return amplitude * std::sin(2.0 * std::numbers::pi * cycles * i / period);
}

}  // namespace krnz::test
