// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/value_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/common/error.h"

namespace krnz {

namespace {

[[noreturn]] void throwInvalidCall() {
    throw Error(kErrInvalidProcedureCall, "Invalid procedure call or argument");
}

double signOf(double x) {
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

// glibc prints the exact decimal expansion of a double when asked for enough digits.
std::string printed(const char* format, int precision, double x) {
    const int length = std::snprintf(nullptr, 0, format, precision, x);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, precision, x);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string numberText(double x, int significantDigits) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x < 0.0 ? "-Infinity" : "Infinity";
    if (x == 0.0) return "0";

    // "d.ddd...e±XX": rounded once, on the binary value, to the wanted digits.
    const std::string e = printed("%.*e", significantDigits - 1, std::fabs(x));
    const std::size_t ePos = e.find('e');
    std::string mantissa = e.substr(0, 1);
    if (ePos > 2) mantissa += e.substr(2, ePos - 2);
    const int exponent = std::atoi(e.c_str() + ePos + 1);
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    const int nDigits = static_cast<int>(mantissa.size());

    std::string out = x < 0.0 ? "-" : "";
    if (exponent < -4 || exponent >= significantDigits) {
        out += mantissa[0];
        if (nDigits > 1) out += "." + mantissa.substr(1);
        const std::string magnitude = std::to_string(std::abs(exponent));
        out += exponent < 0 ? "E-" : "E+";
        out += (magnitude.size() < 2 ? "0" : "") + magnitude;
    } else if (exponent >= 0) {
        const int intDigits = exponent + 1;
        if (nDigits <= intDigits) {
            out += mantissa + std::string(static_cast<std::size_t>(intDigits - nDigits), '0');
        } else {
            out += mantissa.substr(0, static_cast<std::size_t>(intDigits)) + "." +
                   mantissa.substr(static_cast<std::size_t>(intDigits));
        }
    } else {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    }
    return out;
}

struct NumberPattern {
    std::string_view text;
    int decimals;
    int minIntDigits;
};

constexpr std::array<NumberPattern, 6> kNumberPatterns{{
    {"#0", 0, 1},
    {"#0.0", 1, 1},
    {"#0.00", 2, 1},
    {"#0.000", 3, 1},
    {"0.000", 3, 1},
    {"00", 0, 2},
}};

// Adds one unit in the last place of a string of decimal digits.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

double roundHalfEven(double x) {
    if (!std::isfinite(x)) return x;
    // Not nearbyint: that would follow whatever rounding mode happens to be set.
    const double below = std::floor(x);
    const double diff = x - below;
    if (diff < 0.5) return below;
    if (diff > 0.5) return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::int16_t cInt(double x) {
    const double r = roundHalfEven(x);
    if (!(r >= -32768.0 && r <= 32767.0)) throwOverflow();
    return static_cast<std::int16_t>(r);
}

std::int32_t cLng(double x) {
    const double r = roundHalfEven(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throwOverflow();
    return static_cast<std::int32_t>(r);
}

double log10(double x) {
    if (!(x > 0.0)) throwInvalidCall();
    return std::log(x) / std::log(10.0);
}

double fracPart(double x) {
    return x - std::floor(x);
}

double maxOf(double a, double b) {
    return a > b ? a : b;
}

double minOf(double a, double b) {
    return a < b ? a : b;
}

double absMax(double a, double b) {
    return std::max(std::fabs(a), std::fabs(b));
}

double largerMagnitude(double a, double b) {
    return std::fabs(a) > std::fabs(b) ? a : b;
}

double arrayMax(std::span<const double> v) {
    return arrayMax(v, 0, static_cast<std::ptrdiff_t>(v.size()) - 1);
}

double arrayMax(std::span<const double> v, std::ptrdiff_t first, std::ptrdiff_t last) {
    if (first > last || first < 0 || last >= static_cast<std::ptrdiff_t>(v.size())) {
        throwSubscript();
    }
    double largest = v[static_cast<std::size_t>(first)];
    for (auto i = first + 1; i <= last; ++i) {
        largest = maxOf(v[static_cast<std::size_t>(i)], largest);
    }
    return largest;
}

double vardesiffror(double x, int n) {
    if (!std::isfinite(x)) return x;
    const double a = std::fabs(x);
    // Digits before the decimal point; 0 or negative below 1.
    const double d = a != 0.0 ? std::floor(log10(a) + 1.0) : 0.0;
    if (n < d) {
        const double scale = std::pow(10.0, d - n);
        return std::floor(a / scale + 0.5) * signOf(x) * scale;
    }
    const double scale = std::pow(10.0, std::max(0.0, n - d));
    // More digits asked for than a double holds: nothing to round.
    if (!std::isfinite(scale)) return x;
    return signOf(x) * (std::floor(a) + std::floor(fracPart(a) * scale + 0.5) / scale);
}

std::string formatPattern(int n) {
    if (n < 0) throwInvalidCall();
    if (n == 0) return "#0";
    // Counted on the integer: the logarithm ratio gives 2.9999999999999996 for 1000.
    return "#0." + std::string(std::to_string(n).size(), '0');
}

double round_to_closest_e10(double x) {
    if (!(x > 0.0)) throwInvalidCall();
    if (x == 1.0) return 1.0;
    constexpr std::array<double, 3> kSeries{1.0, 2.0, 5.0};
    int k = 0;
    // Ends for every positive x: 10^k becomes infinite at k = 309.
    while (x * std::pow(10.0, k) < 1.0) ++k;
    const double y = x * std::pow(10.0, k);
    if (!std::isfinite(y)) throwOverflow();

    // Digit count and leading digit both from the exact integer part, so that a y just below a
    // power of ten (9.999999999999998) is not read as "10" and stepped down to 2.
    const std::string intDigits = printed("%.*f", 0, std::floor(y));
    const int e = static_cast<int>(intDigits.size());
    const double lead = intDigits[0] - '0';
    int i = 2;
    while (lead < kSeries[static_cast<std::size_t>(i)]) --i;
    const int next = i + 1;
    if (next == 3) return kSeries[0] * std::pow(10.0, e) / std::pow(10.0, k);
    return kSeries[static_cast<std::size_t>(next)] * std::pow(10.0, e - 1) / std::pow(10.0, k);
}

TimeGrid timeGridStep(double spanS) {
    const double s = spanS;
    if (s > 10.0) return {2.0, "#0"};
    if (s > 5.0) return {1.0, "#0"};
    if (s > 4.0) return {0.5, "#0.0"};
    if (s > 2.5) return {0.4, "#0.0"};
    if (s > 2.0) return {0.25, "#0.00"};
    if (s > 1.25) return {0.2, "#0.0"};
    if (s > 0.625) return {0.1, "#0.0"};
    if (s > 0.3125) return {0.05, "#0.00"};
    if (s > 0.125) return {0.025, "#0.000"};
    if (s > 0.0625) return {0.01, "#0.00"};
    return {0.005, "#0.000"};
}

std::string textOf(double x) {
    return numberText(x, 15);
}

std::string textOfSingle(float x) {
    return numberText(static_cast<double>(x), 7);
}

std::string significantText(double x, int digits) {
    return textOf(vardesiffror(x, digits));
}

std::string shortestText(double x) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, x).ptr);
}

std::string shortestText(float x) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, x).ptr);
}

namespace {

// |x| with `decimals` decimals, halves rounded away from zero on the exact binary value.
std::string fixedDigits(double x, int decimals, int minIntDigits) {
    const auto wanted = static_cast<std::size_t>(decimals);
    // Four more digits, correctly rounded by printf, decide the half in all cases but one:
    // "5000" may be a rounded-up "4999...", so only then print the exact expansion (x = m * 2^e
    // with a 53-bit m has at most 53 - e fractional decimal digits). That keeps 2.675, stored
    // as 2.67499999..., at 2.67 without printing 50 digits for every sample of a dump.
    std::string full = printed("%.*f", decimals + 4, std::fabs(x));
    std::size_t point = full.find('.');
    if (full.compare(point + 1 + wanted, 4, "5000") == 0) {
        int exp2 = 0;
        std::frexp(x, &exp2);
        const int exactDecimals = std::clamp(53 - exp2, 0, 1074);
        full = printed("%.*f", std::max(exactDecimals, decimals + 1), std::fabs(x));
        point = full.find('.');
    }

    std::string digits = full.substr(0, point) + full.substr(point + 1, wanted);
    if (full[point + 1 + wanted] >= '5') incrementDigits(digits);

    std::size_t intDigits = digits.size() - wanted;
    const auto minInt = static_cast<std::size_t>(minIntDigits);
    while (intDigits > minInt && digits.front() == '0') {
        digits.erase(digits.begin());
        --intDigits;
    }
    if (intDigits < minInt) {
        digits.insert(0, minInt - intDigits, '0');
        intDigits = minInt;
    }

    const bool isZero = digits.find_first_not_of('0') == std::string::npos;
    std::string out = x < 0.0 && !isZero ? "-" : "";
    out += digits.substr(0, intDigits);
    if (wanted > 0) out += "." + digits.substr(intDigits);
    return out;
}

}  // namespace

std::string formatNumber(double x, std::string_view pattern) {
    const auto* p = std::find_if(kNumberPatterns.begin(), kNumberPatterns.end(),
                                 [&](const NumberPattern& q) { return q.text == pattern; });
    if (p == kNumberPatterns.end()) throwInvalidCall();
    if (!std::isfinite(x)) return textOf(x);
    return fixedDigits(x, p->decimals, p->minIntDigits);
}

std::string formatFixed(double x, int decimals) {
    if (decimals < 0 || decimals > 20) throwInvalidCall();
    if (!std::isfinite(x)) return textOf(x);
    return fixedDigits(x, decimals, 1);
}

std::string weekdayAbbrev(int year, int month, int day) {
    using namespace std::chrono;
    static constexpr std::array<const char*, 7> kNames{"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
    // Months beyond 1..12 carry into the year; days beyond the month into the next months.
    const long long monthIndex = static_cast<long long>(year) * 12 + (month - 1LL);
    long long y = monthIndex / 12;
    long long m = monthIndex % 12;
    if (m < 0) {
        m += 12;
        --y;
    }
    if (y < -32767 || y > 32767) throwInvalidCall();
    const sys_days firstOfMonth{std::chrono::year{static_cast<int>(y)} /
                                std::chrono::month{static_cast<unsigned>(m + 1)} / 1};
    const weekday wd{firstOfMonth + days{static_cast<long long>(day) - 1}};
    return kNames[wd.c_encoding()];
}

std::string monthAbbrev(int month) {
    static constexpr std::array<const char*, 12> kNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (month < 1 || month > 12) throwSubscript();
    return kNames[static_cast<std::size_t>(month - 1)];
}

int calendarYear(int twoDigitYear) {
    return twoDigitYear < 81 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

}  // namespace krnz
