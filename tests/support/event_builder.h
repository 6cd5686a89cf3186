// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <vector>

#include "core/event/event.h"
#include "core/event/units.h"

namespace krnz::test {

// An event in memory: the given rows (shorter ones padded with 0), 1 kHz, no pretrigger,
// every slot a "Geo" channel in mm/s; the peak scan has run.
inline Event makeEvent(std::initializer_list<std::vector<float>> rows,
                       double sampleIntervalS = 0.001) {
    std::size_t n = 0;
    for (const auto& r : rows) n = std::max(n, r.size());
    Event e;
    SampleRecord& rec = e.sample;
    rec.nSamplesPerChannel = static_cast<std::int32_t>(n);
    rec.sampleInterval = sampleIntervalS;
    rec.frq = 1.0 / sampleIntervalS;
    rec.nSecPerChannel = static_cast<float>(n * sampleIntervalS);
    rec.sampleData = SampleMatrix(rec.nSamplesPerChannel);
    int c = 0;
    for (const auto& r : rows) {
        for (std::size_t i = 0; i < r.size(); ++i)
            rec.sampleData(c, static_cast<std::int32_t>(i)) = r[i];
        ++c;
    }
    for (ChannelRecord& ch : e.channels) {
        ch.sensorKind = 1;
        ch.unit = kUnitMmPerS;
        setDerivedUnits(ch);
    }
    rec.dataLoaded = true;
    calcMinMax(rec);
    return e;
}

}  // namespace krnz::test
