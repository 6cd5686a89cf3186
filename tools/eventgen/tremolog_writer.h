// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signal_truth.h"
#include "user_texts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace krnz::eventgen {

constexpr std::size_t kTremologHeaderSize = 170;       // last field: stored n at 166..169
constexpr std::size_t kTremologTextSectionSize = 410;  // 7 x 30 + 200
constexpr std::uint32_t kTremologDefaultTextOffset = 256;
constexpr std::uint32_t kTremologDefaultDataOffset = 1024;

// Where the writer puts the text section when no explicit offsets are given.
enum class TextPlacement {
    BeforeSamples,  // T = 256, D = 1024
    AfterSamples,   // D = 256, T = D + 8 n
};

struct TremologHeader {
    std::string tag = "TREMOLOG";           // 0, eight bytes
    std::uint8_t lengthFlagA = 0;           // 10; with B non-zero the stored n at 166 counts
    std::uint8_t lengthFlagB = 0;           // 11
    std::int16_t instrumentSN = 3107;       // 12
    std::int32_t eventCounter = 1;          // 26
    std::uint16_t year = 2024;              // 30, four digits
    std::uint8_t month = 5;                 // 32, binary
    std::uint8_t day = 17;                  // 33
    std::uint8_t hour = 10;                 // 34
    std::uint8_t minute = 42;               // 35
    std::uint8_t second = 7;                // 36
    std::uint16_t frq = 1000;               // 38, Hz
    std::uint16_t nSecPerChannel = 2;       // 40
    std::uint16_t pretriggerSamples = 250;  // 42
    std::array<std::uint8_t, 4> sensorKind{1, 1, 1, 4};  // 46 + c
    std::array<std::uint8_t, 4> unit{2, 2, 2, 6};        // 58, 59, 60 and 61
    // Sample = raw x numerator / denominator, in the stored unit (mm/s or Pa even when the
    // unit code asks for "ips" or "psi", which the reader converts to).
    std::array<float, 4> scaleNumerator{254.0F, 254.0F, 254.0F, 1000.0F};           // 62 + 4c
    std::array<float, 4> scaleDenominator{32768.0F, 32768.0F, 32768.0F, 32768.0F};  // 78 + 4c
    std::array<float, 4> triggerLevel{0.5F, 0.5F, 0.5F, 20.0F};                     // 110 + 4c
    TextPlacement textPlacement = TextPlacement::BeforeSamples;
    std::optional<std::uint32_t> dataOffset;      // 158; overrides the placement
    std::optional<std::uint32_t> textOffset;      // 162; overrides the placement
    std::optional<std::uint32_t> storedNSamples;  // 166; default: the samples' length
};

// Samples are raw counts, interleaved from D like K100. The file is as long as its furthest
// section. Sections are written samples first, then texts, then the header, so with
// overlapping offsets the header always holds the values asked for.
struct TremologEvent {
    TremologHeader header;
    UserTexts texts;
    std::uint8_t textPadding = 0;  // fills a text field after its terminating NUL
    // Written at T verbatim instead of `texts` when set (any length).
    std::optional<std::vector<std::uint8_t>> rawTextSection;
    std::array<std::vector<std::int16_t>, 4> samples;
    std::array<SignalTruth, 4> truth{};  // filled by the builders; not written
};

struct TremologOffsets {
    std::uint32_t data;
    std::uint32_t text;
};

// D and T as the writer will store them.
TremologOffsets tremologOffsets(const TremologEvent& event);

// The 410-byte text section: client, operation, location, operator, notes, company, supplement
// (30 bytes each) and free text (200 bytes), Windows-1252. A text that fills its field is cut
// to it without a NUL; a shorter one is followed by a NUL and then `padding` bytes. Line
// breaks of the free text become "~".
std::vector<std::uint8_t> encodeTremologTextSection(const UserTexts& texts,
                                                    std::uint8_t padding = 0);

std::vector<std::uint8_t> writeTremolog(const TremologEvent& event);

}  // namespace krnz::eventgen
