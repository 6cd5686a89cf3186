// SPDX-License-Identifier: GPL-3.0-or-later
// Any four rows of floats (NaN, infinities, denormals, runs of equal values, one sample or none)
// measured as the panels and the half-wave diagram measure them. Where every sample of the rows
// involved is finite the results must keep their promises: the peak is the largest magnitude and
// lies where the scan says, first of its value; the vector maximum is at least each geophone's
// value at every time; no half-wave exceeds the peak, the largest ones are kept when a number is
// asked for; frequencies are 0 or positive, derivative and integral peaks finite.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

#include "core/analysis/measurements.h"
#include "core/analysis/peak_interpolation.h"
#include "core/event/units.h"
#include "core/report/half_waves.h"
#include "fuzz_input.h"

namespace {

bool sameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

void checkPeakScan(const krnz::SampleRecord& rec, int c) {
    const std::span<const float> x = rec.sampleData.row(c);
    const std::int32_t hi = rec.chMaxIndex[c], lo = rec.chMinIndex[c];
    FUZZ_CHECK(hi >= 0 && hi < static_cast<std::int32_t>(x.size()));
    FUZZ_CHECK(lo >= 0 && lo < static_cast<std::int32_t>(x.size()));
    FUZZ_CHECK(sameBits(x[hi], rec.chMax[c]) && sameBits(x[lo], rec.chMin[c]));
    if (!fuzz::allFinite(x)) return;
    double largest = 0.0;
    for (std::size_t j = 0; j < x.size(); ++j) {
        FUZZ_CHECK(x[j] <= rec.chMax[c] && x[j] >= rec.chMin[c]);
        if (static_cast<std::int32_t>(j) < hi) FUZZ_CHECK(x[j] < rec.chMax[c]);
        if (static_cast<std::int32_t>(j) < lo) FUZZ_CHECK(x[j] > rec.chMin[c]);
        largest = std::max(largest, std::fabs(static_cast<double>(x[j])));
    }
    const double peak = krnz::peakValue(rec, c);
    FUZZ_CHECK(peak == largest);
    FUZZ_CHECK(peak == std::fabs(x[hi]) || peak == std::fabs(x[lo]));
}

void checkVectorMax(krnz::SampleRecord& rec) {
    const double v = krnz::calcVectorMax(rec);
    const std::int32_t n = rec.nSamplesPerChannel;
    for (int c = 0; c < 3; ++c)
        if (!fuzz::allFinite(rec.sampleData.row(c))) return;
    FUZZ_CHECK(std::isfinite(v) && v >= 0.0);
    for (int c = 0; c < 3; ++c)
        for (std::int32_t i = 0; i < n; ++i) FUZZ_CHECK(std::fabs(rec.sampleData(c, i)) <= v);
    if (n > 0) {
        const double first = 0 * rec.sampleInterval - rec.pretrig;
        const double last = (n - 1) * rec.sampleInterval - rec.pretrig;
        FUZZ_CHECK(rec.vectorMaxTime >= first && rec.vectorMaxTime <= last);
    }
}

// kept: the lists with nPeaks asked for; all: every half-wave of the slot.
void checkHalfWaves(const krnz::Event& event, int c, std::optional<int> nPeaks,
                    const std::vector<double>& keptAmps, const std::vector<double>& keptFrqs) {
    const krnz::SampleRecord& rec = event.sample;
    const std::vector<double>& amps = rec.highAmps[c];
    const std::vector<double>& frqs = rec.highAmpFrqs[c];
    FUZZ_CHECK(amps.size() == frqs.size() && keptAmps.size() == keptFrqs.size());
    if (nPeaks) FUZZ_CHECK(keptAmps.size() == static_cast<std::size_t>(*nPeaks));
    if (!fuzz::allFinite(rec.sampleData.row(c))) return;
    const double peak =
        krnz::peakValue(rec, c) * (event.channels[c].unit == krnz::kUnitIps ? 25.4 : 1);
    for (const double a : amps) FUZZ_CHECK(a > 0.0 && a <= peak);
    for (const double a : keptAmps) FUZZ_CHECK(a >= 0.0 && a <= peak);
    for (const double f : frqs) FUZZ_CHECK(f > 0.0 && std::isfinite(f));
    for (const double f : keptFrqs) FUZZ_CHECK(f >= 0.0 && std::isfinite(f));
    if (!nPeaks) return;
    // The kept ones are the largest of all (ties may pick either), the unused entries 0.
    std::vector<double> largest = amps;
    std::sort(largest.begin(), largest.end(), std::greater<>());
    largest.resize(keptAmps.size(), 0.0);
    std::vector<double> kept = keptAmps;
    std::sort(kept.begin(), kept.end(), std::greater<>());
    FUZZ_CHECK(kept == largest);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t setup = in.u8();
    const std::uint8_t peaksChoice = in.u8();
    const double frq = fuzz::sampleRate(in.u8());

    krnz::Event event = fuzz::eventOfRows(in, frq);
    krnz::SampleRecord& rec = event.sample;
    rec.pretrig = (setup >> 4) * 0.05;
    for (int c = 0; c < krnz::kSlots; ++c) {
        krnz::ChannelRecord& ch = event.channels[c];
        const bool imperial = (setup >> c) & 1;
        ch.sensorKind = 1;
        ch.unit = c == 3 ? (imperial ? krnz::kUnitPsi : krnz::kUnitPa)
                         : (imperial ? krnz::kUnitIps : krnz::kUnitMmPerS);
        krnz::setDerivedUnits(ch);
        rec.curUnit[c] = ch.unit;
    }
    krnz::calcMinMax(rec);
    const bool hasSamples = rec.nSamplesPerChannel > 0;

    // The diagram's update: the largest 16 or some other number, or every half-wave.
    const std::optional<int> nPeaks =
        peaksChoice < 0x40 ? std::nullopt : std::optional<int>(peaksChoice % 33);
    krnz::report::updateHalfWaves(event, false, nPeaks);
    const auto keptAmps = rec.highAmps;
    const auto keptFrqs = rec.highAmpFrqs;

    for (int c = 0; c < krnz::kSlots; ++c) {
        const std::span<const float> x = rec.sampleData.row(c);
        const bool finite = hasSamples && fuzz::allFinite(x);
        if (hasSamples) checkPeakScan(rec, c);

        const double diff = krnz::diffPeak(event, c);
        const double integ = krnz::integPeak(event, c);
        const double frequency = krnz::peakMaxFrq(rec, c);
        const krnz::analysis::InterpolatedPeak interpolated = krnz::analysis::interpolatePeak(x);
        (void)krnz::pressureDb(krnz::peakValue(rec, c), event.channels[c].unit);
        if (finite) {
            FUZZ_CHECK(std::isfinite(diff) && diff >= 0.0);
            FUZZ_CHECK(std::isfinite(integ) && integ >= 0.0);
            FUZZ_CHECK(std::isfinite(frequency) && frequency > 0.0);
            FUZZ_CHECK(std::isfinite(interpolated.value) && interpolated.value >= 0.0);
        }

        krnz::calchighamps(event, c, std::nullopt);
        checkHalfWaves(event, c, nPeaks, keptAmps[c], keptFrqs[c]);
    }
    checkVectorMax(rec);
    return 0;
}
