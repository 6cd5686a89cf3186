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

// Raw counts of a K200 channel at rest; the instrument stores samples around this value.
constexpr int kK200Baseline = 1038;

// Sixteen readings of the channel at rest, stored at the start of its 2048-byte block.
using K200References = std::array<std::int16_t, 16>;

// A quiet set around the baseline: deviations add up to 9, so the zero offset is 2.
constexpr K200References kDefaultK200References{1038, 1039, 1037, 1040, 1038, 1039, 1038, 1036,
                                                1039, 1040, 1038, 1037, 1039, 1038, 1041, 1040};

// One channel of the eight: its 6-byte entry at 64 + 6k, its sensitivity field (56 + 2k for
// channels 1-4, 120 + 2(k-4) for channels 5-8) and its reference readings.
struct K200Channel {
    std::uint8_t sensorKind = 1;              // entry +0; 0 = no sensor, no reference block
    std::uint8_t unit = 2;                    // entry +2
    std::uint8_t loHi = 0;                    // entry +3: 0 = x2, other = /5
    std::int16_t triggerRaw = 25;             // entry +4: counts / 4
    std::uint16_t sensitivityField = 0x3100;  // 100, x2 by loHi 0 = 200 counts/unit
    K200References references = kDefaultK200References;
};

// Microphone channel: kind 4 "AC" in Pa; 0x3050 with loHi 1 = 10 counts/Pa; trigger 4 x 50
// counts = 20 Pa.
constexpr K200Channel kK200Microphone{4, 6, 1, 50, 0x3050, kDefaultK200References};

// Two triaxial geophones with a microphone each: channels 1-3 and 5-7 "Geo" in mm/s, 4 and 8
// "AC" in Pa.
constexpr std::array<K200Channel, 8> kDefaultK200Channels{
    {{}, {}, {}, kK200Microphone, {}, {}, {}, kK200Microphone}};

// "K" + three-digit serial + '6' + "K20": the K200 layout tag for a serial 0..999.
std::string k200Tag(int serial);

struct K200Header {
    // Exactly eight bytes are written; offsets 1..3 hold the serial, offset 4 = '6'.
    std::string tag = k200Tag(206);
    KrnDate date;
    std::optional<std::array<std::uint8_t, 8>> rawDate;
    std::uint8_t regLengthIndex = 1;  // offset 44; selects the block size
    int eventNumber = 1;              // offset 112, BCD
    std::optional<std::uint16_t> rawEventNumber;
    std::array<K200Channel, 8> channels = kDefaultK200Channels;
};

// File layout: 512-byte header; one 2048-byte reference block per channel with a sensor, in
// channel order; then eight sample blocks of k200BlockSize(regLengthIndex) bytes, channel k at
// k200DataStart + k x block size, each padded with 0 after its samples. Samples are raw counts
// as the instrument stores them: baseline 1038 plus the channel's zero offset included.
struct K200Event {
    K200Header header;
    std::array<std::vector<std::int16_t>, 8> samples;
    std::array<SignalTruth, 8> truth{};  // filled by the builders; not written
};

constexpr std::size_t kK200ReferenceBlockOffset = 512;
constexpr std::size_t kK200ReferenceBlockSize = 2048;

// First byte of channel 1's samples (channelGroup 1) or channel 5's (channelGroup 2).
std::size_t k200DataStart(const K200Header& header, int channelGroup = 1);

// The offset the instrument adds beside the baseline, from the reference readings: the
// deviations from 1038 are summed until the sum exceeds 640 (then 0); otherwise sum/16 + 1,
// rounded half to even.
int k200ZeroOffset(const K200References& references);

// Throws std::invalid_argument when a channel has more samples than its block holds.
std::vector<std::uint8_t> writeK200(const K200Event& event);

}  // namespace krnz::eventgen
