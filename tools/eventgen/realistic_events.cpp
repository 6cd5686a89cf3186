// SPDX-License-Identifier: GPL-3.0-or-later
#include "realistic_events.h"

#include "signal_synthesis.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace krnz::eventgen {

namespace {

constexpr double kGeophoneNoise = 0.02;   // mm/s
constexpr double kMicrophoneNoise = 0.3;  // Pa
constexpr double kInchPerMm = 0.03937;
constexpr double kPsiPerPa = 0.00014502;

// Peaks of one blast at one place: a component may be weaker than the strongest one, but stays
// clear of the 0.5 mm/s floor; the microphone is independent of the ground.
struct BlastLevels {
    double geophonePeak;
    double microphonePeak;
    double arrivalS;
};

BlastLevels drawLevels(Random& rng, double distanceFactor, double postTriggerS) {
    BlastLevels levels{};
    levels.geophonePeak = rng.logUniform(1.5, 40.0) * distanceFactor;
    levels.microphonePeak = std::max(12.0, rng.logUniform(15.0, 450.0) * distanceFactor);
    levels.arrivalS = std::min(rng.uniform(0.05, 0.4), 0.3 * postTriggerS);
    return levels;
}

double componentPeak(Random& rng, double geophonePeak) {
    constexpr double kFloor = 0.6;
    const double strongest = std::clamp(geophonePeak, kFloor, 45.0);
    return kFloor + (strongest - kFloor) * rng.uniform(0.35, 1.0);
}

KrnDate drawKrnDate(Random& rng) {
    KrnDate date;
    date.year = rng.integer(19, 25);
    date.month = rng.integer(1, 12);
    date.day = rng.integer(1, 28);
    date.hour = rng.integer(6, 18);
    date.minute = rng.integer(0, 59);
    date.second = rng.integer(0, 59);
    return date;
}

// One geophone triple and its microphone, rendered to counts.
struct ChannelPlan {
    bool microphone;
    double countsPerUnit;
    double offsetCounts;
};

struct RenderedChannel {
    std::vector<std::int16_t> counts;
    SignalTruth truth;
};

std::vector<RenderedChannel> renderBlast(const std::vector<ChannelPlan>& plans, std::size_t n,
                                         double frqHz, std::size_t onsetIndex,
                                         const BlastLevels& levels, Random& rng) {
    const std::vector<double> frequencies = drawBlastFrequencies(rng);
    const std::size_t available = n - std::min(n, onsetIndex);
    std::vector<RenderedChannel> out;
    for (const ChannelPlan& plan : plans) {
        ChannelSignal signal;
        signal.onsetIndex = onsetIndex;
        if (plan.microphone) {
            signal.transient =
                airBlastTransient(frqHz, levels.microphonePeak, levels.arrivalS, available, rng);
            signal.noiseAmplitude = kMicrophoneNoise;
        } else {
            signal.transient = geophoneTransient(frqHz, componentPeak(rng, levels.geophonePeak),
                                                 frequencies, available, rng);
            signal.noiseAmplitude = kGeophoneNoise;
        }
        double peak = 0.0;
        for (double v : signal.transient) peak = std::max(peak, std::abs(v));
        RenderedChannel channel;
        channel.truth = {peak, signal.noiseAmplitude, onsetIndex};
        channel.counts = renderCounts(signal, n, plan.countsPerUnit, plan.offsetCounts, rng);
        out.push_back(std::move(channel));
    }
    return out;
}

RecordLength requireLength(std::optional<RecordLength> length) {
    if (!length) throw std::invalid_argument("record-length index must be 0..4");
    return *length;
}

std::size_t onsetIndexOf(const RecordLength& length) {
    return static_cast<std::size_t>(std::lround(length.pretrigS * length.frqHz));
}

}  // namespace

K100Event makeRealisticK100(int regLengthIndex, std::uint32_t seed) {
    const RecordLength length = requireLength(k100RecordLength(regLengthIndex));
    Random rng(seed);
    K100Event event;
    K100Header& h = event.header;
    h.date = drawKrnDate(rng);
    h.eventNumber = rng.integer(1, 999);
    h.regLengthIndex = static_cast<std::uint8_t>(regLengthIndex);

    std::vector<ChannelPlan> plans;
    for (const K100Channel& ch : h.channels)
        plans.push_back({ch.sensorKind == 4, k100CountsPerUnit(ch.sensitivityField, ch.loHi), 0.0});
    const auto n = static_cast<std::size_t>(length.nSamplesPerChannel);
    const BlastLevels levels = drawLevels(rng, 1.0, length.nSecPerChannel - length.pretrigS);
    auto channels = renderBlast(plans, n, length.frqHz, onsetIndexOf(length), levels, rng);
    for (std::size_t c = 0; c < 4; ++c) {
        event.samples[c] = std::move(channels[c].counts);
        event.truth[c] = channels[c].truth;
    }
    return event;
}

K200Event makeRealisticK200(int regLengthIndex, std::uint32_t seed) {
    const RecordLength length = requireLength(k200RecordLength(regLengthIndex));
    Random rng(seed);
    K200Event event;
    K200Header& h = event.header;
    h.date = drawKrnDate(rng);
    h.eventNumber = rng.integer(1, 999);
    h.regLengthIndex = static_cast<std::uint8_t>(regLengthIndex);

    const auto n = static_cast<std::size_t>(length.nSamplesPerChannel);
    const double postTriggerS = length.nSecPerChannel - length.pretrigS;
    for (std::size_t group = 0; group < 2; ++group) {
        std::vector<ChannelPlan> plans;
        for (std::size_t c = 0; c < 4; ++c) {
            K200Channel& ch = h.channels[4 * group + c];
            for (std::int16_t& r : ch.references)
                r = static_cast<std::int16_t>(kK200Baseline + rng.integer(-3, 3));
            plans.push_back({ch.sensorKind == 4, k200CountsPerUnit(ch.sensitivityField, ch.loHi),
                             static_cast<double>(kK200Baseline + k200ZeroOffset(ch.references))});
        }
        const BlastLevels levels = drawLevels(rng, group == 0 ? 1.0 : 0.5, postTriggerS);
        auto channels = renderBlast(plans, n, length.frqHz, onsetIndexOf(length), levels, rng);
        for (std::size_t c = 0; c < 4; ++c) {
            event.samples[4 * group + c] = std::move(channels[c].counts);
            event.truth[4 * group + c] = channels[c].truth;
        }
    }
    return event;
}

TremologEvent makeRealisticTremolog(double frq, std::int32_t nSamples, std::uint32_t seed, bool ips,
                                    bool psi) {
    const double frqHz = std::nearbyint(frq);
    if (!(frqHz >= 1.0 && frqHz <= 65535.0))
        throw std::invalid_argument("Tremolog sample rate must be 1..65535 Hz");
    if (nSamples < 0) throw std::invalid_argument("Tremolog sample count must not be negative");

    Random rng(seed);
    TremologEvent event;
    TremologHeader& h = event.header;
    h.frq = static_cast<std::uint16_t>(frqHz);
    h.eventCounter = rng.integer(1, 9998);
    h.year = static_cast<std::uint16_t>(rng.integer(2019, 2025));
    h.month = static_cast<std::uint8_t>(rng.integer(1, 12));
    h.day = static_cast<std::uint8_t>(rng.integer(1, 28));
    h.hour = static_cast<std::uint8_t>(rng.integer(6, 18));
    h.minute = static_cast<std::uint8_t>(rng.integer(0, 59));
    h.second = static_cast<std::uint8_t>(rng.integer(0, 59));

    const auto n = static_cast<std::size_t>(nSamples);
    const auto frqInt = static_cast<std::size_t>(frqHz);
    if (n % frqInt == 0 && n / frqInt <= 65535) {
        h.nSecPerChannel = static_cast<std::uint16_t>(n / frqInt);
    } else {
        h.lengthFlagA = 1;
        h.lengthFlagB = 1;
        h.nSecPerChannel = static_cast<std::uint16_t>(std::min<std::size_t>(n / frqInt, 65535));
    }
    h.storedNSamples = static_cast<std::uint32_t>(n);
    const std::size_t pretrigger =
        std::min<std::size_t>({static_cast<std::size_t>(std::lround(0.25 * frqHz)), n / 4, 65535});
    h.pretriggerSamples = static_cast<std::uint16_t>(pretrigger);
    for (std::size_t c = 0; c < 3; ++c) h.unit[c] = ips ? 3 : 2;
    h.unit[3] = psi ? 9 : 6;

    event.texts = {"Nordic Rock AB",      "Production blast 12",
                   "Bench 3, north wall", "J. Svensson",
                   "Dry weather",         "KRNZ Vibration Services",
                   "Monitoring point A",  "Charge 220 kg\r\nDelay 25 ms\r\nDistance 180 m"};

    std::vector<ChannelPlan> plans;
    for (std::size_t c = 0; c < 4; ++c)
        plans.push_back({h.sensorKind[c] == 4,
                         static_cast<double>(h.scaleDenominator[c]) / h.scaleNumerator[c], 0.0});
    const double postTriggerS = static_cast<double>(n - pretrigger) / frqHz;
    const BlastLevels levels = drawLevels(rng, 1.0, postTriggerS);
    auto channels = renderBlast(plans, n, frqHz, pretrigger, levels, rng);
    for (std::size_t c = 0; c < 4; ++c) {
        event.samples[c] = std::move(channels[c].counts);
        event.truth[c] = channels[c].truth;
        const double shown = c < 3 ? (ips ? kInchPerMm : 1.0) : (psi ? kPsiPerPa : 1.0);
        event.truth[c].peak *= shown;
        event.truth[c].noiseAmplitude *= shown;
    }
    return event;
}

}  // namespace krnz::eventgen
