// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "core/event/event.h"
#include "support/awkward_samples.h"
#include "support/event_builder.h"

namespace krnz {
namespace {

using test::sameBits;

// The peak scan as its definition reads: from sample 0, a later sample replaces an extreme only
// when strictly beyond it.
struct Extremes {
    float lo, hi;
    std::int32_t loIndex = 0, hiIndex = 0;
};

Extremes plainExtremes(std::span<const float> x) {
    Extremes e{x[0], x[0]};
    for (std::size_t j = 1; j < x.size(); ++j) {
        if (x[j] < e.lo) e.lo = x[j], e.loIndex = static_cast<std::int32_t>(j);
        if (x[j] > e.hi) e.hi = x[j], e.hiIndex = static_cast<std::int32_t>(j);
    }
    return e;
}

constexpr std::size_t kPool = 100000;
constexpr std::size_t kLanes = 8;  // the scan's block of samples

class PeakScanLength : public ::testing::TestWithParam<std::size_t> {};

// Slot 0 plain samples, slot 1 with its extremes planted several times in both signs, slot 2
// the same extremes but with the samples reversed, slot 3 planted and holding a NaN (the scan
// then takes another path). Values and indices must be those of the plain scan to the bit.
TEST_P(PeakScanLength, MatchesThePlainScan) {
    const std::size_t n = GetParam();
    static const std::vector<float> pool = test::awkwardSamples(kPool, 11);
    std::vector<float> plain(pool.begin(), pool.begin() + static_cast<std::ptrdiff_t>(n));
    std::vector<float> planted = plain;
    test::plantPeaks(planted, 2 * test::kAwkwardCeiling, 3, static_cast<std::uint32_t>(n));
    std::vector<float> reversed(planted.rbegin(), planted.rend());
    std::vector<float> withNan = planted;
    withNan[(n * 7) / 11] = std::numeric_limits<float>::quiet_NaN();
    Event e = test::makeEvent({plain, planted, reversed, withNan});
    const SampleRecord& rec = e.sample;

    const std::vector<float>* rows[kSlots] = {&plain, &planted, &reversed, &withNan};
    float allMin = rows[0]->front(), allMax = rows[0]->front();
    for (int c = 0; c < kSlots; ++c) {
        const Extremes want = plainExtremes(*rows[c]);
        EXPECT_TRUE(sameBits(rec.chMin[c], want.lo)) << "slot " << c << ": " << rec.chMin[c];
        EXPECT_TRUE(sameBits(rec.chMax[c], want.hi)) << "slot " << c << ": " << rec.chMax[c];
        EXPECT_EQ(rec.chMinIndex[c], want.loIndex) << "slot " << c;
        EXPECT_EQ(rec.chMaxIndex[c], want.hiIndex) << "slot " << c;
        if (want.lo < allMin) allMin = want.lo;
        if (want.hi > allMax) allMax = want.hi;
    }
    EXPECT_TRUE(sameBits(rec.allMin, allMin));
    EXPECT_TRUE(sameBits(rec.allMax, allMax));
}

INSTANTIATE_TEST_SUITE_P(AcrossBlockEdges, PeakScanLength,
                         ::testing::Values(1, 2, 3, 5, kLanes - 1, kLanes, kLanes + 1,
                                           2 * kLanes - 1, 2 * kLanes, 2 * kLanes + 1, 101, 4097,
                                           kPool - kLanes - 1, kPool - 1, kPool),
                         [](const auto& info) { return "n" + std::to_string(info.param); });

}  // namespace
}  // namespace krnz
