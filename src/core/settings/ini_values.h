// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace krnz::settings {

// Text forms of stored values. Numbers are plain decimal text ("10", "0.125", never exponent
// notation for the magnitudes settings hold); Booleans are the words True and False.
std::string iniText(std::string_view text);
std::string iniText(const char* text);
std::string iniText(bool value);
std::string iniText(float value);
std::string iniText(double value);
template <std::integral T>
requires(!std::same_as<T, bool> && !std::same_as<T, char>) std::string iniText(T value) {
    return std::to_string(value);
}

// A decimal number with optional sign, fraction and exponent, surrounded by blanks at most.
// Anything else (letters, empty text) gives nothing, so callers keep their default instead of
// failing as the original conversion did.
std::optional<double> parseNumber(std::string_view text);

// Whole numbers: the parsed number rounded half to even, nothing when out of the type's range.
std::optional<std::int16_t> parseInteger(std::string_view text);
std::optional<std::int32_t> parseLong(std::string_view text);
std::optional<std::uint8_t> parseByte(std::string_view text);
std::optional<float> parseSingle(std::string_view text);

// A stored Boolean is true only when it reads "true" in any letter case.
bool parseBool(std::string_view text);

}  // namespace krnz::settings
