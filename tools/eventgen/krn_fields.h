// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace krnz::eventgen {

// BCD: each decimal digit in one nibble, most significant first (1234 -> 0x1234).
// Values outside 0..99 / 0..9999 throw std::invalid_argument; use the raw overrides of the
// headers to store nibbles above 9.
std::uint8_t toBcd8(int value);
std::uint16_t toBcd16(int value);

// The KRN sensitivity field: BCD digits e m2 m1 m0, meaning m / 10^(3-e) counts per unit before
// the gain range is applied. exponent 0..9, mantissa 0..999.
std::uint16_t encodeSensitivity(int exponent, int mantissa);

// Counts per unit that an instrument with this sensitivity field and gain-range byte stores.
// K100: loHi 0 is the high-gain range (x10). K200: loHi 0 is x2, any other value /5.
// The field must be valid BCD (std::invalid_argument otherwise).
double k100CountsPerUnit(std::uint16_t sensitivityField, std::uint8_t loHi);
double k200CountsPerUnit(std::uint16_t sensitivityField, std::uint8_t loHi);

// Trigger, date and time of a KRN event, as decimal values; written as eight BCD bytes
// (century, year, month, unused, day, hour, minute, second at offsets 32..39).
struct KrnDate {
    int century = 20;
    int year = 24;
    int month = 5;
    int unused = 0;
    int day = 17;
    int hour = 10;
    int minute = 42;
    int second = 7;
};

std::array<std::uint8_t, 8> encodeDate(const KrnDate& date);

// One row of an instrument's record-length table.
struct RecordLength {
    double pretrigS;
    double nSecPerChannel;
    int nSamplesPerChannel;
    double frqHz;
};

// std::nullopt for an index the instrument does not know (above 4).
std::optional<RecordLength> k100RecordLength(int regLengthIndex);
std::optional<RecordLength> k200RecordLength(int regLengthIndex);

// Bytes reserved per channel in the K200 sample area.
std::size_t k200BlockSize(int regLengthIndex);

}  // namespace krnz::eventgen
