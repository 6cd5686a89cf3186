// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Number rounding and number-to-text conversion shared by the panels, axes, cursors and the
// printed page. Every reported number goes through these, so they are exact: rounding is done
// on the binary value as stored, never on an intermediate decimal text.
namespace krnz {

// Nearest integer, a value exactly halfway going to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Independent of the floating-point environment's rounding mode.
double roundHalfEven(double x);

// x rounded half to even into a 16-bit / 32-bit integer; throws kErrOverflow when the rounded
// value (or NaN) does not fit.
std::int16_t cInt(double x);
std::int32_t cLng(double x);

// ln(x) / ln(10), which is what callers' digit counts are based on (note: 1000 gives
// 2.9999999999999996, not 3). Throws kErrInvalidProcedureCall for x <= 0 or NaN.
double log10(double x);

double fracPart(double x);                   // x - floor(x), in [0, 1)
double maxOf(double a, double b);            // a > b ? a : b (a tie gives b)
double minOf(double a, double b);            // a < b ? a : b (a tie gives b)
double absMax(double a, double b);           // max(|a|, |b|)
double largerMagnitude(double a, double b);  // a when |a| > |b|, else b; sign kept

// Largest element of the span, or of v[first..last] (inclusive bounds). Throws kErrSubscript for
// an empty span, first > last, or bounds outside the span.
double arrayMax(std::span<const double> v);
double arrayMax(std::span<const double> v, std::ptrdiff_t first, std::ptrdiff_t last);

// x rounded to n significant digits, halves away from zero: (12345, 3) -> 12300,
// (-0.0004567, 2) -> -0.00046. Non-finite x is returned unchanged.
double vardesiffror(double x, int n);

// Number pattern with as many decimals as n has decimal digits: 0 -> "#0", 5 -> "#0.0",
// 25 -> "#0.00", 100 -> "#0.000". Throws kErrInvalidProcedureCall for n < 0.
std::string formatPattern(int n);

// Next value of the 1-2-5 series above x's leading digit (1.5 -> 2, 7 -> 10, 0.3 -> 0.5);
// exactly 1 stays 1. Throws kErrInvalidProcedureCall for x <= 0 or NaN, kErrOverflow when x is
// too small or too large to scale (subnormal, infinite).
double round_to_closest_e10(double x);

// Time-axis grid step and the pattern of its labels for a visible span of spanS seconds (the
// record length divided by the zoom factor, worked out by the caller).
struct TimeGrid {
    double stepS;
    std::string pattern;
};
TimeGrid timeGridStep(double spanS);

// The plain text of a number, as shown without a format pattern: at most 15 (double) or 7
// (float) significant digits, no trailing zeros, '.' as separator, "-" for negatives, and the
// exponent form ("1E-05", "1.5E+15") below 1e-4 and from 10^digits (1e15, 1e7) up, judged after
// rounding. Zero is "0"; NaN and infinities read "NaN", "Infinity", "-Infinity".
std::string textOf(double x);
std::string textOfSingle(float x);

// x rounded to `digits` significant digits and written as textOf does: how the panels, the
// verdict table and the Events list show frequencies and other measures.
std::string significantText(double x, int digits);

// The shortest text that reads back to the same number ("0.1", "1e-07"), for files other
// programs read: JSON, CSV. Infinities and NaN come out as "inf" and "nan"; callers that write
// formats without them decide what stands instead.
std::string shortestText(double x);
std::string shortestText(float x);

// x formatted with one of the patterns "#0", "#0.0", "#0.00", "#0.000", "0.000" (at least one
// integer digit, fixed decimals) or "00" (at least two integer digits). Halves of the exact
// binary value round away from zero (0.125 -> "0.13" but 2.675, stored as 2.67499..., -> "2.67").
// A value that rounds to zero carries no minus sign. Throws kErrInvalidProcedureCall for any
// other pattern.
std::string formatNumber(double x, std::string_view pattern);

// x with a fixed number of decimals (0..20) and at least one integer digit, rounded as
// formatNumber rounds ("0.00000" and the like).
std::string formatFixed(double x, int decimals);

// English abbreviated day name ("Mon".."Sun") of a proleptic Gregorian date. A month or day
// outside its range rolls over into the neighbouring month or year, as a date built from its
// parts does (2024-02-30 is 2024-03-01). Throws kErrInvalidProcedureCall when the year leaves
// -32767..32767 after that.
std::string weekdayAbbrev(int year, int month, int day);

// "Jan".."Dec"; throws kErrSubscript outside 1..12.
std::string monthAbbrev(int month);

// Four-digit year of an instrument's two-digit year: 0..80 are 2000..2080, 81..99 are 1981..1999.
int calendarYear(int twoDigitYear);

}  // namespace krnz
