// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/leading_number.h"

#include <cctype>
#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace krnz {
namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> leadingNumber(std::string_view text) {
    std::string squeezed;
    squeezed.reserve(text.size());
    for (const char c : text)
        if (!isSkipped(c)) squeezed.push_back(c);

    // Longest prefix of the form [sign] digits [. digits] [(E|D) [sign] digits].
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < squeezed.size() && isDigit(squeezed[i])) ++i;
        return i - start;
    };
    if (i < squeezed.size() && (squeezed[i] == '+' || squeezed[i] == '-')) ++i;
    std::size_t mantissaDigits = digits();
    if (i < squeezed.size() && squeezed[i] == '.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) return std::nullopt;
    std::size_t end = i;
    bool negativeExponent = false;
    if (i < squeezed.size() && (std::toupper(static_cast<unsigned char>(squeezed[i])) == 'E' ||
                                std::toupper(static_cast<unsigned char>(squeezed[i])) == 'D')) {
        ++i;
        if (i < squeezed.size() && (squeezed[i] == '+' || squeezed[i] == '-'))
            negativeExponent = squeezed[i++] == '-';
        if (digits() > 0) {
            squeezed[end] = 'e';
            end = i;
        }
    }
    // from_chars reads the same text whatever locale the GUI toolkit has set, but takes no '+'.
    std::size_t first = 0;
    bool negative = false;
    if (squeezed[0] == '+' || squeezed[0] == '-') negative = squeezed[first++] == '-';
    double value = 0.0;
    const auto result = std::from_chars(squeezed.data() + first, squeezed.data() + end, value);
    if (result.ec == std::errc::result_out_of_range)
        value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

double val(std::string_view text) {
    return leadingNumber(text).value_or(0.0);
}

}  // namespace krnz
