// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/clipboard_text.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/common/error.h"

namespace krnz::view {
namespace {

constexpr int kDigits = 7;  // significant digits of a 32-bit float's text
constexpr double kLowest = 1e6;
constexpr double kBeyond = 1e7;

// Powers of ten that are exact doubles, so that scaling by one is a single rounding.
constexpr std::array<double, 23> kPow10 = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                           1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

struct Decimal {
    std::uint32_t digits;  // kDigits digits: kLowest <= digits < kBeyond
    int exponent;          // decimal exponent of the first digit
};

// The general conversion: correctly rounded on the exact binary value, halves to even, as the
// C library's "%.6e" rounds (which textOfSingle uses).
Decimal exactDecimal(double v) {
    char buf[32];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, kDigits - 1).ptr;
    // "d.dddddde+XX"
    std::uint32_t digits = static_cast<std::uint32_t>(buf[0] - '0');
    for (int i = 2; i <= kDigits; ++i)
        digits = digits * 10 + static_cast<std::uint32_t>(buf[i] - '0');
    int magnitude = 0;
    std::from_chars(buf + kDigits + 3, end, magnitude);
    return {digits, buf[kDigits + 2] == '-' ? -magnitude : magnitude};
}

// v * 10^k in one correctly rounded operation; false where 10^|k| is not exact.
bool scaled(double v, int k, double& out) {
    if (k >= 0 && k < static_cast<int>(kPow10.size())) {
        out = v * kPow10[static_cast<std::size_t>(k)];
        return true;
    }
    if (k < 0 && -k < static_cast<int>(kPow10.size())) {
        out = v / kPow10[static_cast<std::size_t>(-k)];
        return true;
    }
    return false;
}

// Seven significant digits of |x| (finite, non-zero). Scaling into [10^6, 10^7) by an exact power
// of ten errs by at most 2^-53 relative, about 1e-9 absolute; only a fraction that close to a
// half could round the wrong way, and those few go to the general conversion. That keeps
// clipboard text of ten million samples well inside a second.
Decimal sevenDigits(float x) {
    const double v = std::fabs(static_cast<double>(x));
    const int biasedExponent = static_cast<int>((std::bit_cast<std::uint32_t>(x) >> 23) & 0xFF);
    if (biasedExponent == 0) return exactDecimal(v);  // subnormal
    // 2^b <= v < 2^(b+1) gives the decimal exponent e or e - 1.
    int e = static_cast<int>(std::floor((biasedExponent - 127) * 0.30102999566398120));
    double s = 0.0;
    if (!scaled(v, kDigits - 1 - e, s)) return exactDecimal(v);
    if (s >= kBeyond) {
        ++e;
        if (!scaled(v, kDigits - 1 - e, s)) return exactDecimal(v);
    }
    const double whole = std::floor(s);
    const double fraction = s - whole;
    if (std::fabs(fraction - 0.5) < 1e-7) return exactDecimal(v);
    double rounded = fraction > 0.5 ? whole + 1.0 : whole;
    if (rounded >= kBeyond) {  // 9999999.6 carries into the next decade
        rounded = kLowest;
        ++e;
    }
    if (rounded < kLowest) return exactDecimal(v);
    return {static_cast<std::uint32_t>(rounded), e};
}

char* put(char* out, const char* text) {
    while (*text) *out++ = *text++;
    return out;
}

// The text of x as textOfSingle gives it, with decimalSeparator for '.'; at most 16 characters.
char* writeSingleText(char* out, float x, char decimalSeparator) {
    if (std::isnan(x)) return put(out, "NaN");
    if (std::isinf(x)) return put(out, x < 0 ? "-Infinity" : "Infinity");
    if (x == 0.0f) return put(out, "0");
    if (x < 0.0f) *out++ = '-';

    const Decimal d = sevenDigits(x);
    char digits[kDigits];
    std::uint32_t rest = d.digits;
    for (int i = kDigits - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    int n = kDigits;
    while (n > 1 && digits[n - 1] == '0') --n;
    const int e = d.exponent;

    if (e < -4 || e >= kDigits) {
        *out++ = digits[0];
        if (n > 1) *out++ = decimalSeparator;
        for (int i = 1; i < n; ++i) *out++ = digits[i];
        *out++ = 'E';
        *out++ = e < 0 ? '-' : '+';
        const int magnitude = std::abs(e);
        if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
        *out++ = static_cast<char>('0' + magnitude / 10 % 10);
        *out++ = static_cast<char>('0' + magnitude % 10);
    } else if (e >= 0) {
        const int intDigits = e + 1;
        for (int i = 0; i < intDigits; ++i) *out++ = i < n ? digits[i] : '0';
        if (n > intDigits) {
            *out++ = decimalSeparator;
            for (int i = intDigits; i < n; ++i) *out++ = digits[i];
        }
    } else {
        *out++ = '0';
        *out++ = decimalSeparator;
        for (int i = 0; i < -e - 1; ++i) *out++ = '0';
        for (int i = 0; i < n; ++i) *out++ = digits[i];
    }
    return out;
}

}  // namespace

ClipboardText channelClipboardText(std::span<const float> samples, char decimalSeparator) {
    // Lines are written straight into the text, which grows by half when the guess of 12 bytes a
    // line ("-0.1234567" and CR LF) falls short; per-line appends would copy every line twice.
    constexpr std::size_t kLongestLine = 24;  // "-1.234567E-45" and CR LF, with room to spare
    ClipboardText text(samples.size() * 12 + kLongestLine, '\0');
    std::size_t used = 0;
    for (const float x : samples) {
        if (text.size() - used < kLongestLine) text.resize(text.size() + text.size() / 2);
        char* end = writeSingleText(text.data() + used, x, decimalSeparator);
        *end++ = '\r';
        *end++ = '\n';
        used = static_cast<std::size_t>(end - text.data());
    }
    text.resize(used);
    return text;
}

ClipboardText channelClipboardText(const SampleRecord& rec, int slot, char decimalSeparator) {
    if (slot < 0 || slot >= kSlots) throwSubscript();
    return channelClipboardText(rec.sampleData.row(slot), decimalSeparator);
}

}  // namespace krnz::view
