// SPDX-License-Identifier: GPL-3.0-or-later
#include "signal_synthesis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace krnz::eventgen {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// exp(-9.2) < 1e-4: beyond this many decay times a component is below one count.
constexpr double kDecayTimesToSilence = 9.2;

struct DecayingSine {
    double amplitude;
    double frequencyHz;
    double decayS;
    double phaseRad;
    double delayS;
};

void scaleToPeak(std::vector<double>& x, double peak) {
    double maxAbs = 0.0;
    for (double v : x) maxAbs = std::max(maxAbs, std::abs(v));
    if (maxAbs == 0.0) return;
    const double factor = peak / maxAbs;
    for (double& v : x) v *= factor;
}

std::size_t lengthFor(double durationS, double sampleRateHz, std::size_t maxSamples) {
    const double samples = std::ceil(durationS * sampleRateHz);
    return std::min(maxSamples, static_cast<std::size_t>(samples));
}

template <typename Sink>
void renderEach(const ChannelSignal& signal, std::size_t n, Random& rng, Sink sink) {
    const std::size_t onset = std::min(signal.onsetIndex, n);
    const std::size_t end = std::min(n, onset + signal.transient.size());
    const double a = signal.noiseAmplitude;
    for (std::size_t i = 0; i < onset; ++i) sink(i, a * rng.triangular());
    for (std::size_t i = onset; i < end; ++i)
        sink(i, a * rng.triangular() + signal.transient[i - onset]);
    for (std::size_t i = end; i < n; ++i) sink(i, a * rng.triangular());
}

}  // namespace

std::vector<double> drawBlastFrequencies(Random& rng) {
    std::vector<double> frequencies(static_cast<std::size_t>(rng.integer(3, 4)));
    for (double& f : frequencies) f = rng.logUniform(5.0, 80.0);
    return frequencies;
}

std::vector<double> geophoneTransient(double sampleRateHz, double peak,
                                      std::span<const double> frequenciesHz, std::size_t maxSamples,
                                      Random& rng) {
    constexpr double kOnsetS = 0.004;
    std::vector<DecayingSine> parts;
    double longestS = 0.0;
    for (double f : frequenciesHz) {
        DecayingSine s{rng.uniform(0.3, 1.0), f, rng.uniform(0.05, 0.6), rng.uniform(0.0, kTwoPi),
                       rng.uniform(0.0, 0.03)};
        longestS = std::max(longestS, s.delayS + kDecayTimesToSilence * s.decayS);
        parts.push_back(s);
    }

    std::vector<double> x(lengthFor(longestS, sampleRateHz, maxSamples), 0.0);
    for (const DecayingSine& s : parts) {
        const auto first = static_cast<std::size_t>(std::ceil(s.delayS * sampleRateHz));
        for (std::size_t i = first; i < x.size(); ++i) {
            const double u = i / sampleRateHz - s.delayS;
            const double envelope = (1.0 - std::exp(-u / kOnsetS)) * std::exp(-u / s.decayS);
            x[i] += s.amplitude * envelope * std::sin(kTwoPi * s.frequencyHz * u + s.phaseRad);
        }
    }
    scaleToPeak(x, peak);
    return x;
}

std::vector<double> airBlastTransient(double sampleRateHz, double peakPa, double arrivalS,
                                      std::size_t maxSamples, Random& rng) {
    const double positiveS = rng.uniform(0.004, 0.02);
    const double decay = rng.uniform(1.0, 2.5);
    const double riseS = rng.uniform(0.0005, 0.002);
    const double ringHz = rng.uniform(5.0, 20.0);
    const double ringAmplitude = rng.uniform(0.1, 0.25);
    const double ringDecayS = rng.uniform(0.1, 0.3);

    const double durationS =
        arrivalS + std::max(30.0 * positiveS, kDecayTimesToSilence * ringDecayS);
    std::vector<double> x(lengthFor(durationS, sampleRateHz, maxSamples), 0.0);
    const auto first = static_cast<std::size_t>(std::ceil(arrivalS * sampleRateHz));
    for (std::size_t i = first; i < x.size(); ++i) {
        const double u = i / sampleRateHz - arrivalS;
        const double pulse =
            (1.0 - std::exp(-u / riseS)) * (1.0 - u / positiveS) * std::exp(-decay * u / positiveS);
        const double ring = ringAmplitude * (1.0 - std::exp(-u / 0.01)) *
                            std::exp(-u / ringDecayS) * std::sin(kTwoPi * ringHz * u);
        x[i] = pulse + ring;
    }
    scaleToPeak(x, peakPa);
    return x;
}

std::int16_t toCount(double counts) {
    if (std::isnan(counts)) return 0;
    if (counts >= 32767.0) return 32767;
    if (counts <= -32768.0) return -32768;
    return static_cast<std::int16_t>(std::nearbyint(counts));
}

std::vector<std::int16_t> quantize(std::span<const double> values, double countsPerUnit,
                                   double offsetCounts) {
    std::vector<std::int16_t> out(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        out[i] = toCount(values[i] * countsPerUnit + offsetCounts);
    return out;
}

std::vector<double> renderSignal(const ChannelSignal& signal, std::size_t n, Random& rng) {
    std::vector<double> out(n);
    renderEach(signal, n, rng, [&out](std::size_t i, double v) { out[i] = v; });
    return out;
}

std::vector<std::int16_t> renderCounts(const ChannelSignal& signal, std::size_t n,
                                       double countsPerUnit, double offsetCounts, Random& rng) {
    std::vector<std::int16_t> out(n);
    renderEach(signal, n, rng, [&](std::size_t i, double v) {
        out[i] = toCount(v * countsPerUnit + offsetCounts);
    });
    return out;
}

}  // namespace krnz::eventgen
