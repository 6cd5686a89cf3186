// SPDX-License-Identifier: GPL-3.0-or-later
#include "krn_fields.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace krnz::eventgen {

namespace {

int decodeBcd16(std::uint16_t field) {
    int value = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const int digit = (field >> shift) & 0xF;
        if (digit > 9) throw std::invalid_argument("sensitivity field is not BCD");
        value = value * 10 + digit;
    }
    return value;
}

double storedSensitivity(std::uint16_t field) {
    const int n = decodeBcd16(field);
    const int exponent = n / 1000;
    const int mantissa = n % 1000;
    return mantissa / std::pow(10.0, 3 - exponent);
}

constexpr std::array<RecordLength, 5> kK100Lengths{{
    {0.1, 1, 2000, 2000},
    {0.2, 2, 4000, 2000},
    {0.5, 4, 8000, 2000},
    {0.5, 8, 8000, 1000},
    {0.5, 16, 8000, 500},
}};

constexpr std::array<RecordLength, 5> kK200Lengths{{
    {0.2, 1, 5000, 5000},
    {0.4, 2, 10000, 5000},
    {0.5, 5, 25000, 5000},
    {0.5, 10, 25000, 2500},
    {0.5, 20, 25000, 1250},
}};

}  // namespace

std::uint8_t toBcd8(int value) {
    if (value < 0 || value > 99)
        throw std::invalid_argument("BCD byte out of range: " + std::to_string(value));
    return static_cast<std::uint8_t>(((value / 10) << 4) | (value % 10));
}

std::uint16_t toBcd16(int value) {
    if (value < 0 || value > 9999)
        throw std::invalid_argument("BCD word out of range: " + std::to_string(value));
    return static_cast<std::uint16_t>((toBcd8(value / 100) << 8) | toBcd8(value % 100));
}

std::uint16_t encodeSensitivity(int exponent, int mantissa) {
    if (exponent < 0 || exponent > 9 || mantissa < 0 || mantissa > 999)
        throw std::invalid_argument("sensitivity exponent or mantissa out of range");
    return toBcd16(exponent * 1000 + mantissa);
}

double k100CountsPerUnit(std::uint16_t sensitivityField, std::uint8_t loHi) {
    const double sens = storedSensitivity(sensitivityField);
    return loHi == 0 ? sens * 10.0 : sens;
}

double k200CountsPerUnit(std::uint16_t sensitivityField, std::uint8_t loHi) {
    const double sens = storedSensitivity(sensitivityField);
    return loHi == 0 ? sens * 2.0 : sens / 5.0;
}

std::array<std::uint8_t, 8> encodeDate(const KrnDate& date) {
    return {toBcd8(date.century), toBcd8(date.year), toBcd8(date.month),  toBcd8(date.unused),
            toBcd8(date.day),     toBcd8(date.hour), toBcd8(date.minute), toBcd8(date.second)};
}

std::optional<RecordLength> k100RecordLength(int regLengthIndex) {
    if (regLengthIndex < 0 || regLengthIndex >= static_cast<int>(kK100Lengths.size()))
        return std::nullopt;
    return kK100Lengths[static_cast<std::size_t>(regLengthIndex)];
}

std::optional<RecordLength> k200RecordLength(int regLengthIndex) {
    if (regLengthIndex < 0 || regLengthIndex >= static_cast<int>(kK200Lengths.size()))
        return std::nullopt;
    return kK200Lengths[static_cast<std::size_t>(regLengthIndex)];
}

std::size_t k200BlockSize(int regLengthIndex) {
    switch (regLengthIndex) {
        case 0:
            return 10240;
        case 1:
            return 20480;
        default:
            return 51200;
    }
}

}  // namespace krnz::eventgen
