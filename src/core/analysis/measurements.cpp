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

}  // namespace

double peakValue(const SampleRecord& rec, int slot) {
    return absMax(rec.chMax[slot], rec.chMin[slot]);
}

double calcVectorMax(SampleRecord& rec) {
    const std::int32_t n = rec.nSamplesPerChannel;
    const float* x = rec.sampleData.row(0).data();
    const float* y = rec.sampleData.row(1).data();
    const float* z = rec.sampleData.row(2).data();
    double best = 0.0;
    std::int32_t bestIndex = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        const double s = static_cast<double>(x[i]) * x[i] + static_cast<double>(y[i]) * y[i] +
                         static_cast<double>(z[i]) * z[i];
        if (s > best) best = s, bestIndex = i;
    }
    rec.vectorMaxTime = bestIndex * rec.sampleInterval - rec.pretrig;
    return std::sqrt(best);
}

double diffPeak(const Event& event, int slot) {
    const SampleRecord& rec = event.sample;
    const std::span<const float> x = rec.sampleData.row(slot);
    const double denominator = 4 * rec.sampleInterval;
    // Mean of two central differences two samples apart. The largest magnitude does not depend
    // on the order it is looked for in, so four running maxima let the compiler vectorise.
    const auto estimate = [&](std::size_t i) {
        return std::fabs((static_cast<double>(x[i + 3]) + x[i + 2] - x[i + 1] - x[i]) /
                         denominator);
    };
    const std::size_t count = x.size() >= 4 ? x.size() - 3 : 0;
    double best[4] = {0.0, 0.0, 0.0, 0.0};
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4)
        for (std::size_t k = 0; k < 4; ++k) best[k] = std::max(best[k], estimate(i + k));
    for (; i < count; ++i) best[0] = std::max(best[0], estimate(i));
    const double largest = std::max(std::max(best[0], best[1]), std::max(best[2], best[3]));
    return largest * event.channels[slot].diffScale;
}

double integPeak(const Event& event, int slot) {
    const SampleRecord& rec = event.sample;
    const std::span<const float> x = rec.sampleData.row(slot);
    if (x.empty()) return 0.0;
    double sum = 0.0;
    for (const float v : x) sum += v;
    const double mean = sum / static_cast<double>(x.size());
    double running = 0.0, best = 0.0;
    for (const float v : x) {
        running += v - mean;
        const double m = std::fabs(running);
        if (m > best) best = m;
    }
    return best * rec.sampleInterval * event.channels[slot].integScale;
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
    double f = 1.0 / (2.0 * rec.sampleInterval);
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

    // The list changes only when a half-wave replaces its smallest entry, so the smallest is
    // looked for again only then.
    std::size_t smallest = smallestSlot(amps);
    auto store = [&](std::int32_t before, std::int32_t after, float peak) {
        const double amp = inches ? peak * 25.4 : peak;
        if (!nPeaks) {
            amps.push_back(amp);
            frqs.push_back(zeroCrossFrq(rec, slot, before, after));
        } else if (!amps.empty() && amp > amps[smallest]) {
            amps[smallest] = amp;
            frqs[smallest] = zeroCrossFrq(rec, slot, before, after);
            smallest = smallestSlot(amps);
        }
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
    parallelFor(kSlots, [&](int c) {
        measures[c] = {peakValue(event.sample, c), diffPeak(event, c), integPeak(event, c),
                       peakMaxFrq(event.sample, c)};
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
