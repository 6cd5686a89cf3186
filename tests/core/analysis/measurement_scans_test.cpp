// SPDX-License-Identifier: GPL-3.0-or-later
// The measurements that are split into lanes or chunks for speed, each against the plain loop
// that defines it, over awkward samples at lengths on either side of every block edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/analysis/measurements.h"
#include "core/event/units.h"
#include "support/awkward_samples.h"
#include "support/event_builder.h"

namespace krnz {
namespace {

using test::sameBits;

constexpr std::size_t kPool = 100000;
constexpr float kPlanted = 2 * test::kAwkwardCeiling;

int sign(float v) {
    return (v > 0.0f) - (v < 0.0f);
}

const std::vector<float>& pool(int slot) {
    static const std::vector<std::vector<float>> pools = [] {
        std::vector<std::vector<float>> p;
        for (int c = 0; c < kSlots; ++c)
            p.push_back(test::awkwardSamples(kPool, 100 + static_cast<std::uint32_t>(c)));
        return p;
    }();
    return pools[static_cast<std::size_t>(slot)];
}

std::vector<float> prefix(int slot, std::size_t n) {
    return {pool(slot).begin(), pool(slot).begin() + static_cast<std::ptrdiff_t>(n)};
}

std::string lengthName(const ::testing::TestParamInfo<std::size_t>& info) {
    return "n" + std::to_string(info.param);
}

// Derivative peak: the largest magnitude of the mean of two central differences.

constexpr std::size_t kDiffBlock = 4;  // estimates per block; there are n - 3 estimates

class DiffPeakLength : public ::testing::TestWithParam<std::size_t> {};

TEST_P(DiffPeakLength, MatchesThePlainLoop) {
    const std::size_t n = GetParam();
    std::vector<float> planted = prefix(1, n);
    test::plantPeaks(planted, kPlanted, 3, static_cast<std::uint32_t>(n));
    const Event e = test::makeEvent({prefix(0, n), planted, prefix(2, n), prefix(3, n)});
    for (int c = 0; c < kSlots; ++c) {
        const std::span<const float> x = e.sample.sampleData.row(c);
        const double denominator = 4 * e.sample.sampleInterval;
        double best = 0.0;
        for (std::size_t i = 0; i + 3 < x.size(); ++i) {
            const double d = std::fabs(
                (static_cast<double>(x[i + 3]) + x[i + 2] - x[i + 1] - x[i]) / denominator);
            if (d > best) best = d;
        }
        const double want = best * e.channels[static_cast<std::size_t>(c)].diffScale;
        const double got = diffPeak(e, c);
        EXPECT_TRUE(sameBits(got, want)) << "slot " << c << ": " << got << " vs " << want;
    }
}

INSTANTIATE_TEST_SUITE_P(AcrossBlockEdges, DiffPeakLength,
                         ::testing::Values(0, 1, 2, 3, 4, 5, 3 + kDiffBlock - 1, 3 + kDiffBlock,
                                           3 + kDiffBlock + 1, 3 + 2 * kDiffBlock - 1,
                                           3 + 2 * kDiffBlock, 3 + 2 * kDiffBlock + 1, 1001,
                                           kPool - 2, kPool - 1, kPool),
                         lengthName);

// Vector maximum: the first sample whose sum of squares over slots 0..2 is strictly largest.

class VectorMaxLength : public ::testing::TestWithParam<std::size_t> {};

TEST_P(VectorMaxLength, MatchesThePlainLoop) {
    const std::size_t n = GetParam();
    std::vector<float> x = prefix(0, n), y = prefix(1, n), z = prefix(2, n);
    // Equal sums of squares at several places, in different slots and signs.
    for (std::size_t k = 0; k < 3; ++k) {
        const std::size_t at = (n * (2 * k + 1)) / 7;
        x[at] = k == 0 ? kPlanted : 0.0f;
        y[at] = k == 1 ? -kPlanted : 0.0f;
        z[at] = k == 2 ? kPlanted : 0.0f;
    }
    Event e = test::makeEvent({x, y, z, prefix(3, n)});
    e.sample.pretrig = 0.25;
    double best = 0.0;
    std::size_t bestIndex = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double s = static_cast<double>(x[i]) * x[i] + static_cast<double>(y[i]) * y[i] +
                         static_cast<double>(z[i]) * z[i];
        if (s > best) best = s, bestIndex = i;
    }
    EXPECT_TRUE(sameBits(calcVectorMax(e.sample), std::sqrt(best)));
    EXPECT_TRUE(sameBits(e.sample.vectorMaxTime,
                         static_cast<double>(bestIndex) * e.sample.sampleInterval - 0.25));
}

INSTANTIATE_TEST_SUITE_P(Lengths, VectorMaxLength, ::testing::Values(1, 2, 7, 9, 4097, kPool),
                         lengthName);

// Half-waves and the peak's zero-crossing frequency.

struct HalfWave {
    std::int32_t before, after;  // the samples either side of the run
    float peak;
};

// Runs of one sign, zeros belonging to none; the run holding sample 0 and the one still going
// at the end never count.
std::vector<HalfWave> plainHalfWaves(std::span<const float> x) {
    std::vector<HalfWave> waves;
    const auto n = static_cast<std::int32_t>(x.size());
    std::int32_t start = 0;
    for (std::int32_t j = 1; j < n; ++j) {
        if (sign(x[j]) == sign(x[j - 1])) continue;
        if (start > 0 && sign(x[start]) != 0) {
            float peak = 0.0f;
            for (std::int32_t i = start; i < j; ++i) peak = std::max(peak, std::fabs(x[i]));
            waves.push_back({start - 1, j, peak});
        }
        start = j;
    }
    return waves;
}

constexpr std::int32_t kHalfWaveChunk = 4096;
// The first two samples differ in sign, so the chunks start at sample 2.
constexpr std::size_t kFirstChunk = 2;

// Slot 0 plain samples; slot 1 with planted peaks (equal largest half-waves of both signs);
// slot 2 with a sign change on the first sample of every chunk; slot 3 planted and in inches.
Event halfWaveEvent(std::size_t n) {
    std::vector<std::vector<float>> rows;
    for (int c = 0; c < kSlots; ++c) {
        std::vector<float> x = prefix(c, n);
        if (c == 1 || c == 3) test::plantPeaks(x, kPlanted, 5, static_cast<std::uint32_t>(n + c));
        if (c == 2) {
            for (std::size_t at = kFirstChunk; at < n; at += kHalfWaveChunk) {
                if (x[at - 1] == 0.0f) x[at - 1] = 7.0f;
                x[at] = -x[at - 1];
            }
        }
        if (n >= 1) x[0] = -0.5f;
        if (n >= 2) x[1] = 0.5f;
        rows.push_back(std::move(x));
    }
    Event e = test::makeEvent({rows[0], rows[1], rows[2], rows[3]});
    e.channels[3].unit = kUnitIps;
    return e;
}

struct HalfWaveCase {
    std::size_t n;
    std::optional<int> nPeaks;
};

void PrintTo(const HalfWaveCase& c, std::ostream* os) {
    *os << "n=" << c.n << " nPeaks=" << (c.nPeaks ? std::to_string(*c.nPeaks) : "all");
}

class HalfWaveScan : public ::testing::TestWithParam<HalfWaveCase> {};

// Every half-wave in order, or the nPeaks largest: a half-wave replaces the first of the
// smallest entries, and only when strictly larger.
void expectPlainHalfWaves(Event& e, std::optional<int> nPeaks) {
    for (int c = 0; c < kSlots; ++c) {
        std::vector<double> amps(nPeaks ? static_cast<std::size_t>(*nPeaks) : 0u, 0.0);
        std::vector<double> frqs(amps.size(), 0.0);
        const bool inches = e.channels[static_cast<std::size_t>(c)].unit == kUnitIps;
        for (const HalfWave& w : plainHalfWaves(e.sample.sampleData.row(c))) {
            const double amp = inches ? w.peak * 25.4 : w.peak;
            const double frq = zeroCrossFrq(e.sample, c, w.before, w.after);
            if (!nPeaks) {
                amps.push_back(amp);
                frqs.push_back(frq);
                continue;
            }
            if (amps.empty()) continue;
            const auto smallest = std::min_element(amps.begin(), amps.end()) - amps.begin();
            if (amp > amps[static_cast<std::size_t>(smallest)]) {
                amps[static_cast<std::size_t>(smallest)] = amp;
                frqs[static_cast<std::size_t>(smallest)] = frq;
            }
        }
        calchighamps(e, c, nPeaks);
        const auto& gotAmps = e.sample.highAmps[static_cast<std::size_t>(c)];
        const auto& gotFrqs = e.sample.highAmpFrqs[static_cast<std::size_t>(c)];
        ASSERT_EQ(gotAmps.size(), amps.size()) << "slot " << c;
        ASSERT_EQ(gotFrqs.size(), frqs.size()) << "slot " << c;
        for (std::size_t k = 0; k < amps.size(); ++k) {
            ASSERT_TRUE(sameBits(gotAmps[k], amps[k]) && sameBits(gotFrqs[k], frqs[k]))
                << "slot " << c << " entry " << k << ": " << gotAmps[k] << " at " << gotFrqs[k]
                << " Hz, expected " << amps[k] << " at " << frqs[k] << " Hz";
        }
    }
}

TEST_P(HalfWaveScan, MatchesThePlainLoop) {
    const auto [n, nPeaks] = GetParam();
    Event e = halfWaveEvent(n);
    expectPlainHalfWaves(e, nPeaks);
}

std::vector<HalfWaveCase> halfWaveCases() {
    const std::size_t c = kFirstChunk, k = kHalfWaveChunk;
    std::vector<HalfWaveCase> cases;
    for (const std::size_t n : {c + k - 1, c + k, c + k + 1, c + 2 * k - 1, c + 2 * k,
                                c + 2 * k + 1, c + 24 * k - 1, c + 24 * k, c + 24 * k + 1, kPool})
        cases.push_back({n, std::nullopt});
    for (const std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3},
                                std::size_t{77}, std::size_t{5001}, std::size_t{77777}})
        cases.push_back({n, std::nullopt});
    for (const int nPeaks : {0, 1, 16, 500}) {
        cases.push_back({c + 2 * k + 1, nPeaks});
        cases.push_back({kPool, nPeaks});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AcrossChunkEdges, HalfWaveScan, ::testing::ValuesIn(halfWaveCases()),
                         [](const auto& info) {
                             const HalfWaveCase& c = info.param;
                             return "n" + std::to_string(c.n) + "_" +
                                    (c.nPeaks ? "largest" + std::to_string(*c.nPeaks) : "all");
                         });

// The largest half-waves pass over runs and blocks that cannot beat the smallest entry kept,
// so the runs here are long (several blocks of samples) and grow and shrink: a large run may
// begin in a block of small samples, end in a later one or at the record's end, and equal
// the smallest entry exactly.
Event swellingEvent(std::size_t n) {
    std::vector<std::vector<float>> rows;
    for (int c = 0; c < kSlots; ++c) {
        std::vector<float> x(n);
        const double period = 300.0 + 700.0 * c;  // samples per cycle
        for (std::size_t i = 0; i < n; ++i) {
            const double envelope = 1.0 + 3.0 * std::sin(static_cast<double>(i) / (7.3 * period));
            x[i] = static_cast<float>(envelope * std::sin(6.283185307 * i / period + c));
        }
        // Two equal largest swings, a zero inside one run, and a large last run still going.
        if (n > 20000) {
            for (std::size_t i = 9000; i < 9100; ++i) x[i] = 9.0f;
            for (std::size_t i = 15000; i < 15100; ++i) x[i] = -9.0f;
            x[12345] = 0.0f;
            for (std::size_t i = n - 50; i < n; ++i) x[i] = 20.0f;
        }
        rows.push_back(std::move(x));
    }
    Event e = test::makeEvent({rows[0], rows[1], rows[2], rows[3]});
    e.channels[2].unit = kUnitIps;
    return e;
}

TEST(LargestHalfWaves, LongRunsAcrossPassedOverBlocks) {
    for (const std::size_t n :
         {std::size_t{5}, std::size_t{300}, std::size_t{1000}, std::size_t{60000}}) {
        for (const int nPeaks : {1, 3, 16, 200}) {
            SCOPED_TRACE("n " + std::to_string(n) + " nPeaks " + std::to_string(nPeaks));
            Event e = swellingEvent(n);
            expectPlainHalfWaves(e, nPeaks);
        }
    }
}

// The peak's half period: the peak is the first largest magnitude, the negative one on a tie;
// the walk goes out to the samples of other sign (or the ends).
TEST(PeakMaxFrq, MatchesThePlainWalk) {
    for (const std::size_t n :
         {std::size_t{1}, std::size_t{2}, std::size_t{9}, std::size_t{4099}, kPool}) {
        const Event e = halfWaveEvent(n);
        for (int c = 0; c < kSlots; ++c) {
            const std::span<const float> x = e.sample.sampleData.row(c);
            std::size_t lo = 0, hi = 0;
            for (std::size_t j = 1; j < n; ++j) {
                if (x[j] < x[lo]) lo = j;
                if (x[j] > x[hi]) hi = j;
            }
            const auto p =
                static_cast<std::int32_t>(std::fabs(x[lo]) >= std::fabs(x[hi]) ? lo : hi);
            const int s = sign(x[static_cast<std::size_t>(p)]);
            std::int32_t a = p, b = p;
            while (a >= 0 && sign(x[static_cast<std::size_t>(a)]) == s) --a;
            while (b < static_cast<std::int32_t>(n) && sign(x[static_cast<std::size_t>(b)]) == s)
                ++b;
            a = std::max(a, 0);
            b = std::min(b, static_cast<std::int32_t>(n) - 1);
            EXPECT_TRUE(sameBits(peakMaxFrq(e.sample, c), zeroCrossFrq(e.sample, c, a, b)))
                << "n " << n << " slot " << c;
        }
    }
}

// The slots measured side by side on the shared workers give, to the bit, what each gives
// measured alone.
TEST(SideBySide, SameAsOneSlotAtATime) {
    const Event e = halfWaveEvent(kPool);
    const std::array<ChannelMeasures, kSlots> together = measureChannels(e);
    for (int c = 0; c < kSlots; ++c) {
        const ChannelMeasures& m = together[static_cast<std::size_t>(c)];
        EXPECT_TRUE(sameBits(m.peak, peakValue(e.sample, c))) << c;
        EXPECT_TRUE(sameBits(m.diffPeak, diffPeak(e, c))) << c;
        EXPECT_TRUE(sameBits(m.integPeak, integPeak(e, c))) << c;
        EXPECT_TRUE(sameBits(m.peakFrq, peakMaxFrq(e.sample, c))) << c;
    }
    for (const std::optional<int> nPeaks : {std::optional<int>(), std::optional<int>(16)}) {
        Event alone = e, sideBySide = e;
        for (int c = 0; c < kSlots; ++c) calchighamps(alone, c, nPeaks);
        calcAllHighAmps(sideBySide, nPeaks);
        EXPECT_EQ(sideBySide.sample.highAmps, alone.sample.highAmps);
        EXPECT_EQ(sideBySide.sample.highAmpFrqs, alone.sample.highAmpFrqs);
    }
}

}  // namespace
}  // namespace krnz
