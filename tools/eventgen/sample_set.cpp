// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_set.h"

#include "event_generator.h"

namespace krnz::eventgen {

namespace {

K100Event k100Sample(int regLengthIndex, std::uint32_t seed, int eventNumber) {
    K100Event event = makeRealisticK100(regLengthIndex, seed);
    event.header.instrumentSN = 412;
    event.header.eventNumber = eventNumber;
    return event;
}

K200Event k200Sample(int regLengthIndex, std::uint32_t seed, int eventNumber) {
    K200Event event = makeRealisticK200(regLengthIndex, seed);
    event.header.tag = k200Tag(206);
    event.header.eventNumber = eventNumber;
    return event;
}

}  // namespace

std::vector<SampleFile> makeSampleSet() {
    std::vector<SampleFile> files;

    const K100Event first = k100Sample(0, 101, 101);
    files.push_back({"KRN00412.101", writeK100(first)});
    files.push_back(
        {"KRN00412.101.userinfo",
         makeUserInfoFile({"Vägverket Region Syd", "Road cut E6, blast 4", "Malmö, Kalkbrottet",
                           "A. Ström", "Gauge on bedrock", "KRNZ Vibration Services",
                           "µ-level survey", "Charge 85 kg\r\nDelay 17 ms\r\nDistance 95 m"})});

    files.push_back({"KRN00412.102", writeK100(k100Sample(3, 102, 102))});

    K100Event off = k100Sample(1, 103, 103);
    off.header.channels[1].sensorKind = 0;
    off.samples[1].assign(off.samples[1].size(), 0);
    off.truth[1] = {};
    files.push_back({"KRN00412.103", writeK100(off)});

    files.push_back({"KRN00206.021", writeK200(k200Sample(1, 21, 21))});
    files.push_back({"KRN00206.022", writeK200(k200Sample(0, 22, 22))});

    TremologEvent malmo = makeRealisticTremolog(1000.0, 4000, 31);
    malmo.texts = {"Malmö Stad",
                   "Tunnel blast 7",
                   "Kalkbrottet, Malmö",
                   "Åsa Öberg",
                   "Peak < 5 µm/s target",
                   "Söderberg & Co",
                   "Grid µ-survey",
                   "Line one: charge 40 kg\r\nLine two: delay 25 ms\r\n"
                   "Line three: weather fine, 18 °C"};
    files.push_back({"blast_malmo.tremolog", writeTremolog(malmo)});

    TremologEvent quarry = makeRealisticTremolog(2000.0, 5000, 32, true, true);
    quarry.texts.notes.clear();
    quarry.texts.supplement.clear();
    files.push_back({"quarry_ips_psi.tremolog", writeTremolog(quarry)});
    return files;
}

std::vector<std::filesystem::path> writeSampleSet(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    std::vector<std::filesystem::path> written;
    for (const SampleFile& file : makeSampleSet()) {
        const std::filesystem::path path = dir / file.name;
        saveFile(path, file.bytes);
        written.push_back(path);
    }
    return written;
}

}  // namespace krnz::eventgen
