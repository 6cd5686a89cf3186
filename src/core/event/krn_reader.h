// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/event/byte_source.h"
#include "core/event/event.h"

namespace krnz {

// Where the KRN header fields lie; the two instrument models share the reading code.
struct KrnLayout {
    int fileFormat;
    std::uint64_t eventNumberOffset;
    bool serialFromTag;       // K200: tag characters 2..4; K100: BCD at 52
    std::uint64_t tableBase;  // channel entry of slot 0
    std::uint64_t entrySize;
    std::uint64_t unitInEntry;
    std::uint64_t loHiInEntry;
    std::uint64_t triggerInEntry;
    std::uint64_t sensBase;  // sensitivity of slot c at sensBase + sensStride * c
    std::uint64_t sensStride;
};

// One row of an instrument's record-length table.
struct RecordLength {
    double pretrigS;
    float nSecPerChannel;
    std::int32_t nSamples;
    double frqHz;
};

// The row of regLengthIndex 0..4 for the K100 (fileFormat 5) or K200 (6) model.
const RecordLength& krnRecordLength(int fileFormat, int regLengthIndex);

KrnLayout k100Layout();
KrnLayout k200Layout(int channelGroup);

// The decimal number the hexadecimal digits of a BCD value spell (0x1234 -> 1234).
// digits is 2 for a byte, 4 for a 16-bit field. A nibble above 9 throws.
int decodeBcd(std::uint32_t value, int digits);

// A sensitivity field: BCD digits "EMMM" meaning MMM / 10^(3 - E) counts per unit. A nibble
// above 9 throws "file corrupt".
struct SensitivityField {
    int exponent = 0;
    int mantissa = 0;
    double sens = 0;
};
SensitivityField decodeSensitivityField(std::uint16_t bcdField);

// Sensitivity in raw counts per unit, after the gain-range adjustment of the model.
double krnSensitivity(std::uint16_t bcdField, std::uint8_t loHi, int fileFormat);

// K200 zero offset from a slot's sixteen reference values.
std::int16_t k200ZeroOffset(const std::int16_t (&reference)[16]);

// Reads a K100 or K200 file whose tag has been recognised; refuses one of more samples per
// channel than maxSamples (see checkSampleCap).
Event readKrnFile(ByteSource& file, const std::string& tag, int fileFormat, int channelGroup,
                  std::optional<std::int32_t> maxSamples = std::nullopt);

}  // namespace krnz
