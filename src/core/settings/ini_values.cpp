// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_values.h"

#include "core/settings/ini_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace krnz::settings {
namespace {

template <typename T>
std::string shortestDecimal(T value) {
    if (!std::isfinite(value)) {
        return "0";
    }
    char buffer[400];
    // Fixed notation keeps "100000" from becoming "1e+05"; the general form is only needed for
    // magnitudes no setting holds.
    const auto magnitude = std::fabs(value);
    const auto format = (magnitude == 0 || (magnitude >= 1e-6 && magnitude < 1e15))
                            ? std::chars_format::fixed
                            : std::chars_format::general;
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    return std::string(buffer, result.ptr);
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

template <typename T>
std::optional<T> roundedWhole(std::string_view text) {
    const auto number = parseNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*number);  // default rounding mode: half to even
    if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    return static_cast<T>(rounded);
}

}  // namespace

std::string iniText(std::string_view text) {
    return std::string(text);
}
std::string iniText(const char* text) {
    return std::string(text);
}
std::string iniText(bool value) {
    return value ? "True" : "False";
}
std::string iniText(float value) {
    return shortestDecimal(value);
}
std::string iniText(double value) {
    return shortestDecimal(value);
}

std::optional<double> parseNumber(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
            return std::nullopt;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    double value = 0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int16_t> parseInteger(std::string_view text) {
    return roundedWhole<std::int16_t>(text);
}

std::optional<std::int32_t> parseLong(std::string_view text) {
    return roundedWhole<std::int32_t>(text);
}

std::optional<std::uint8_t> parseByte(std::string_view text) {
    return roundedWhole<std::uint8_t>(text);
}

std::optional<float> parseSingle(std::string_view text) {
    const auto number = parseNumber(text);
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(*number);
}

bool parseBool(std::string_view text) {
    return sameText(text, "true");
}

}  // namespace krnz::settings
