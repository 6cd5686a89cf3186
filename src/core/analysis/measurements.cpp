// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/measurements.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <span>

#include "core/common/parallel.h"
#include "core/common/value_format.h"
#include "core/event/units.h"

namespace krnz {
namespace {

int sign(float v) {
    return (v > 0.0f) - (v < 0.0f);
}

// Reference pressure of the sound-pressure level, Pa.
constexpr double kReferencePressurePa = 2e-5;

// First slot holding the smallest amplitude; a later slot wins only when strictly smaller.
std::size_t smallestSlot(const std::vector<double>& amps) {
    std::size_t k = 0;
    for (std::size_t m = 1; m < amps.size(); ++m)
        if (amps[m] < amps[k]) k = m;
    return k;
}

// The largest half-waves of a row into the full lists amps and frqs, the runs taken in order
// and each replacing the first smallest entry when strictly larger. The smallest entry never
// falls, so a run none of whose samples beats it can be passed over; once the list holds large
// waves that is nearly every run, and blocks whose largest sample does not beat it are passed
// over whole. Runs start at `first` or later (the one holding sample 0 never counts).
template <typename InMm>
void largestHalfWaves(const SampleRecord& rec, int slot, std::int32_t first, const InMm& inMm,
                      std::vector<double>& amps, std::vector<double>& frqs) {
    const std::span<const float> x = rec.sampleData.row(slot);
    const auto n = static_cast<std::int32_t>(x.size());
    std::size_t smallest = smallestSlot(amps);
    constexpr std::int32_t kBlock = 256;
    std::int32_t pos = first;
    while (pos < n) {
        const std::int32_t blockEnd = std::min(n, pos + kBlock);
        float blockMax = 0.0f;
        for (std::int32_t j = pos; j < blockEnd; ++j) {
            const float a = std::fabs(x[j]);
            blockMax = a > blockMax ? a : blockMax;  // a NaN is no sample of a half-wave
        }
        if (!(inMm(blockMax) > amps[smallest])) {
            pos = blockEnd;
            continue;
        }
        std::int32_t i = pos;
        while (i < blockEnd) {
            if (!(inMm(std::fabs(x[i])) > amps[smallest])) {
                ++i;
                continue;
            }
            // This sample's run beats the smallest entry: find its ends and its peak.
            const int s = sign(x[i]);
            float peak = std::fabs(x[i]);
            std::int32_t start = i;
            while (sign(x[start - 1]) == s) peak = std::max(peak, std::fabs(x[--start]));
            std::int32_t end = i + 1;
            while (end < n && sign(x[end]) == s) peak = std::max(peak, std::fabs(x[end++]));
            if (end == n) return;  // still going when the record ends
            amps[smallest] = inMm(peak);
            frqs[smallest] = zeroCrossFrq(rec, slot, start - 1, end);
            smallest = smallestSlot(amps);
            i = end;
        }
        pos = std::max(blockEnd, i);
    }
}

// Peak of the running sum of each row less its mean, the rows' sums taken in the same loop:
// each sum is a chain of additions in sample order, and two chains side by side run nearly as
// fast as one.
template <std::size_t kRows>
std::array<double, kRows> runningSumPeaks(const std::array<std::span<const float>, kRows>& rows) {
    std::array<double, kRows> best{};
    const std::size_t n = rows[0].size();
    if (n == 0) return best;
    std::array<double, kRows> sum{}, mean{}, running{};
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t r = 0; r < kRows; ++r) sum[r] += rows[r][i];
    for (std::size_t r = 0; r < kRows; ++r) mean[r] = sum[r] / static_cast<double>(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t r = 0; r < kRows; ++r) {
            running[r] += rows[r][i] - mean[r];
            const double m = std::fabs(running[r]);
            if (m > best[r]) best[r] = m;
        }
    }
    return best;
}

}  // namespace

double peakValue(const SampleRecord& rec, int slot) {
    return absMax(rec.chMax[slot], rec.chMin[slot]);
}

double calcVectorMax(SampleRecord& rec) {
    const std::int32_t n = rec.nSamplesPerChannel;
    const float* x = rec.sampleData.row(0).data();
    const float* y = rec.sampleData.row(1).data();
    const float* z = rec.sampleData.row(2).data();
    // Halves searched side by side; the later half wins only when strictly larger, as one scan
    // from sample 0 would decide.
    constexpr int kParts = 2;
    std::array<double, kParts> best{};
    std::array<std::int32_t, kParts> bestIndex{};
    parallelFor(kParts, [&](int part) {
        const std::int32_t from = static_cast<std::int32_t>(std::int64_t{n} * part / kParts);
        const std::int32_t to = static_cast<std::int32_t>(std::int64_t{n} * (part + 1) / kParts);
        double b = 0.0;
        std::int32_t at = 0;
        for (std::int32_t i = from; i < to; ++i) {
            const double s = static_cast<double>(x[i]) * x[i] + static_cast<double>(y[i]) * y[i] +
                             static_cast<double>(z[i]) * z[i];
            if (s > b) b = s, at = i;
        }
        best[part] = b;
        bestIndex[part] = at;
    });
    int winner = 0;
    for (int part = 1; part < kParts; ++part)
        if (best[part] > best[winner]) winner = part;
    rec.vectorMaxTime = bestIndex[winner] * rec.sampleInterval - rec.pretrig;
    return std::sqrt(best[winner]);
}

double diffPeak(const Event& event, int slot) {
    const SampleRecord& rec = event.sample;
    const std::span<const float> x = rec.sampleData.row(slot);
    const double denominator = 4 * rec.sampleInterval;
    // Mean of two central differences two samples apart. Division rounds monotonically and
    // symmetrically, so the largest quotient is the largest numerator divided once; and the
    // largest magnitude does not depend on the order it is looked for in, so four running
    // maxima let the compiler vectorise.
    const double divisor = std::fabs(denominator);
    const bool divideOnce = divisor > 0.0 && std::isfinite(divisor);
    const auto numerator = [&](std::size_t i) {
        return std::fabs(static_cast<double>(x[i + 3]) + x[i + 2] - x[i + 1] - x[i]);
    };
    const auto estimate = [&](std::size_t i) {
        return std::fabs((static_cast<double>(x[i + 3]) + x[i + 2] - x[i + 1] - x[i]) /
                         denominator);
    };
    const std::size_t count = x.size() >= 4 ? x.size() - 3 : 0;
    double best[4] = {0.0, 0.0, 0.0, 0.0};
    std::size_t i = 0;
    if (divideOnce) {
        for (; i + 4 <= count; i += 4)
            for (std::size_t k = 0; k < 4; ++k) best[k] = std::max(best[k], numerator(i + k));
        for (; i < count; ++i) best[0] = std::max(best[0], numerator(i));
    } else {
        for (; i < count; ++i) best[0] = std::max(best[0], estimate(i));
    }
    double largest = std::max(std::max(best[0], best[1]), std::max(best[2], best[3]));
    if (divideOnce) largest /= divisor;
    return largest * event.channels[slot].diffScale;
}

double integPeak(const Event& event, int slot) {
    const double peak = runningSumPeaks<1>({event.sample.sampleData.row(slot)})[0];
    return peak * event.sample.sampleInterval * event.channels[slot].integScale;
}

double peakMaxFrq(const SampleRecord& rec, int slot) {
    const std::span<const float> x = rec.sampleData.row(slot);
    const auto n = static_cast<std::int32_t>(x.size());
    if (n == 0) return 0.0;
    const std::int32_t lo = rec.chMinIndex[slot], hi = rec.chMaxIndex[slot];
    // On equal magnitudes the negative peak is taken.
    const std::int32_t p = std::fabs(x[lo]) >= std::fabs(x[hi]) ? lo : hi;
    const int s = sign(x[p]);
    std::int32_t a = p;
    while (sign(x[a]) == s) {
        if (--a < 0) {
            a = 0;
            break;
        }
    }
    std::int32_t b = p;
    while (sign(x[b]) == s) {
        if (++b == n) {
            b = n - 1;
            break;
        }
    }
    return zeroCrossFrq(rec, slot, a, b);
}

double zeroCrossFrq(const SampleRecord& rec, int slot, std::int32_t a, std::int32_t b) {
    const std::span<const float> x = rec.sampleData.row(slot);
    const auto n = static_cast<std::int32_t>(x.size());
    double f = 1.0 / (2.0 * rec.sampleInterval);
    // Ends one sample apart (a peak on the record's edge) put both crossings between the same
    // two samples, where they coincide: their difference is rounding residue, whose reciprocal
    // could be any size or sign. It is a half period of zero length.
    if (b - a == 1) return f;
    double t1 = a;
    if (a >= 0 && a + 1 < n && x[a] != 0.0f) {
        const double sum = std::fabs(static_cast<double>(x[a])) + std::fabs(x[a + 1]);
        if (sum != 0.0) t1 = a + std::fabs(x[a]) / sum;
    }
    double t2 = b;
    if (b >= 1 && b < n && x[b] != 0.0f) {
        const double sum = std::fabs(static_cast<double>(x[b - 1])) + std::fabs(x[b]);
        if (sum != 0.0) t2 = b - std::fabs(x[b]) / sum;
    }
    if (t2 - t1 != 0.0) f = f / (t2 - t1);
    return f;
}

void calchighamps(Event& event, int slot, std::optional<int> nPeaks) {
    halfWaves(event, slot, nPeaks, event.sample.highAmps[slot], event.sample.highAmpFrqs[slot]);
}

void halfWaves(const Event& event, int slot, std::optional<int> nPeaks, std::vector<double>& amps,
               std::vector<double>& frqs) {
    const SampleRecord& rec = event.sample;
    amps.assign(nPeaks ? static_cast<std::size_t>(std::max(*nPeaks, 0)) : 0u, 0.0);
    frqs.assign(amps.size(), 0.0);
    const std::span<const float> x = rec.sampleData.row(slot);
    const auto n = static_cast<std::int32_t>(x.size());
    if (n == 0) return;
    const bool inches = event.channels[slot].unit == kUnitIps;

    // A half-wave is a run of samples of one sign (zeros belong to none). The run that holds
    // sample 0 may have begun before the record and the last one may go on after it, so
    // neither counts; the crossings lie between a run's first sample and the one before it,
    // and between its last sample and the one after it.
    std::int32_t first = 1;
    while (first < n && sign(x[first]) == sign(x[0])) ++first;
    if (first >= n) return;

    const auto inMm = [inches](float peak) { return inches ? peak * 25.4 : peak; };
    if (nPeaks) {
        if (!amps.empty()) largestHalfWaves(rec, slot, first, inMm, amps, frqs);
        return;
    }
    auto store = [&](std::int32_t before, std::int32_t after, float peak) {
        amps.push_back(inMm(peak));
        frqs.push_back(zeroCrossFrq(rec, slot, before, after));
    };

    // Runs are found without branches, a chunk at a time; noise changes sign at nearly every
    // sample, which would defeat branch prediction.
    struct Run {
        std::int32_t start, end;  // end: the first sample of the next run
        float peak;
    };
    constexpr std::int32_t kChunk = 4096;
    std::vector<Run> runs(kChunk + 1);
    int runSign = sign(x[first]);
    std::int32_t runStart = first;
    float peak = std::fabs(x[first]);
    for (std::int32_t chunkStart = first + 1; chunkStart < n; chunkStart += kChunk) {
        const std::int32_t chunkEnd = std::min(n, chunkStart + kChunk);
        std::size_t count = 0;
        for (std::int32_t j = chunkStart; j < chunkEnd; ++j) {
            const float v = x[j];
            const int s = sign(v);
            const float a = std::fabs(v);
            const bool boundary = s != runSign;
            runs[count] = {runStart, j, peak};
            count += static_cast<std::size_t>(boundary & (runSign != 0));
            // Selections by mask: compilers turn the plain conditionals into branches.
            const std::uint32_t mask = 0u - static_cast<std::uint32_t>(boundary);
            runStart = static_cast<std::int32_t>((static_cast<std::uint32_t>(j) & mask) |
                                                 (static_cast<std::uint32_t>(runStart) & ~mask));
            const float longer = std::max(peak, a);
            peak = std::bit_cast<float>((std::bit_cast<std::uint32_t>(a) & mask) |
                                        (std::bit_cast<std::uint32_t>(longer) & ~mask));
            runSign = s;
        }
        for (std::size_t r = 0; r < count; ++r) store(runs[r].start - 1, runs[r].end, runs[r].peak);
    }
}

std::array<ChannelMeasures, kSlots> measureChannels(const Event& event) {
    std::array<ChannelMeasures, kSlots> measures;
    const SampleRecord& rec = event.sample;
    // In pairs: the integral's running sums are chains of additions that pair up well.
    static_assert(kSlots % 2 == 0);
    parallelFor(kSlots / 2, [&](int pair) {
        const int a = 2 * pair, b = a + 1;
        const std::array<double, 2> integ =
            runningSumPeaks<2>({rec.sampleData.row(a), rec.sampleData.row(b)});
        for (const int c : {a, b}) {
            measures[c] = {peakValue(rec, c), diffPeak(event, c),
                           integ[c - a] * rec.sampleInterval * event.channels[c].integScale,
                           peakMaxFrq(rec, c)};
        }
    });
    return measures;
}

void calcAllHighAmps(Event& event, std::optional<int> nPeaks) {
    parallelFor(kSlots, [&](int c) { calchighamps(event, c, nPeaks); });
}

std::optional<double> pressureLevelDb(double value, int unit) {
    const double ratio = value * pascalPerUnit(unit) / kReferencePressurePa;
    const double power = ratio * ratio;
    if (!(power > 0.0)) return std::nullopt;
    return vardesiffror(10.0 * log10(power), 3);
}

std::string pressureDb(double value, int unit) {
    const std::optional<double> db = pressureLevelDb(value, unit);
    return db ? textOf(*db) : "undef";
}

}  // namespace krnz
