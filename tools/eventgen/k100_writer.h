// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "krn_fields.h"
#include "signal_truth.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace krnz::eventgen {

// One 12-byte channel entry of the K100 header (slot c at 64 + 12c).
struct K100Channel {
    std::uint8_t sensorKind = 1;              // +0: 1 "Geo"
    std::uint8_t unit = 2;                    // +1: 2 "mm/s"
    std::uint16_t sensitivityField = 0x2100;  // +2: BCD e m2 m1 m0; 0x2100 = 10 counts/unit
    std::int16_t triggerRaw = 50;             // +6: counts
    std::uint8_t loHi = 0;                    // +10: 0 = high gain (x10), so 100 counts/unit
};

// Default slot set: three geophone components and a microphone (kind 4 "AC", unit 6 "Pa",
// 0x2500 with loHi 1 = 50 counts/Pa, trigger 1000 counts = 20 Pa).
constexpr std::array<K100Channel, 4> kDefaultK100Channels{{
    {},
    {},
    {},
    {4, 6, 0x2500, 1000, 1},
}};

struct K100Header {
    // Exactly eight bytes are written (cut or NUL-padded); offset 4 = '5' marks the layout.
    std::string tag = "KRN05K10";
    KrnDate date;
    std::optional<std::array<std::uint8_t, 8>> rawDate;  // written instead of `date` when set
    std::uint8_t regLengthIndex = 0;                     // offset 44
    int eventNumber = 1;                                 // offset 48, BCD
    std::optional<std::uint16_t> rawEventNumber;         // written as it is when set
    int instrumentSN = 412;                              // offset 52, BCD
    std::optional<std::uint16_t> rawInstrumentSN;
    std::array<K100Channel, 4> channels = kDefaultK100Channels;
};

// Samples are raw counts per slot. They are interleaved from offset 512 (slot 0..3 of one time
// step after the other); the longest slot sets the number of time steps, shorter ones are
// padded with 0. The file ends right after the samples.
struct K100Event {
    K100Header header;
    std::array<std::vector<std::int16_t>, 4> samples;
    std::array<SignalTruth, 4> truth{};  // filled by the builders; not written
};

constexpr std::size_t kK100DataOffset = 512;

std::vector<std::uint8_t> writeK100(const K100Event& event);

}  // namespace krnz::eventgen
