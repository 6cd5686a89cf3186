// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/value_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/common/error.h"

namespace krnz {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Error number thrown by f, or 0 when it returns normally.
template <typename F>
int errorOf(F f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

TEST(ValueFormatTest, RoundsHalfToEvenIntoIntegerRanges) {
    struct Row {
        double x;
        double rounded;
    };
    const Row rows[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {0.5, 0},
        {-0.5, 0},
        {1.5, 2},
        {2.4999999999999996, 2},
        {2.5000000000000004, 3},
        {-0.49999999999999994, 0},
        {-0.5000000000000001, -1},
        {32766.5, 32766},
        {4503599627370495.5, 4503599627370496},
    };
    for (const Row& r : rows) EXPECT_EQ(roundHalfEven(r.x), r.rounded) << "x = " << r.x;

    EXPECT_EQ(cInt(32766.5), 32766);
    EXPECT_EQ(cInt(32767.4), 32767);
    EXPECT_EQ(cInt(-32768.5), -32768);
    EXPECT_EQ(cLng(2147483646.5), 2147483646);
    EXPECT_EQ(cLng(-2147483648.5), std::numeric_limits<std::int32_t>::min());
    for (double x : {32767.5, -32768.6, 1e10, kNaN, kInf}) {
        EXPECT_EQ(errorOf([&] { cInt(x); }), kErrOverflow) << "cInt " << x;
    }
    for (double x : {2147483647.5, -2147483648.6, kNaN}) {
        EXPECT_EQ(errorOf([&] { cLng(x); }), kErrOverflow) << "cLng " << x;
    }
}

TEST(ValueFormatTest, MinMaxHelpersBreakTiesTowardsSecondArgument) {
    // Ties are visible through the sign of zero.
    EXPECT_TRUE(std::signbit(maxOf(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(minOf(-0.0, 0.0)));
    EXPECT_EQ(maxOf(1, 2), 2);
    EXPECT_EQ(minOf(1, 2), 1);
    EXPECT_EQ(absMax(-4, 3), 4);

    struct Row {
        double a, b, larger;
    };
    const Row rows[] = {{-3, 3, 3}, {-4, 3, -4}, {3, -3, -3}, {2, -5, -5}, {-0.5, 0.25, -0.5}};
    for (const Row& r : rows) {
        EXPECT_EQ(largerMagnitude(r.a, r.b), r.larger) << r.a << ", " << r.b;
    }
    EXPECT_EQ(fracPart(-1.25), 0.75);
}

TEST(ValueFormatTest, ArrayMaxHonoursInclusiveBounds) {
    const std::vector<double> v{1, 5, 3, -2};
    EXPECT_EQ(arrayMax(v), 5);
    EXPECT_EQ(arrayMax(v, 0, 0), 1);
    EXPECT_EQ(arrayMax(v, 2, 3), 3);
    EXPECT_EQ(arrayMax(v, 3, 3), -2);
    const std::vector<double> negative{-3, -1, -2};
    EXPECT_EQ(arrayMax(negative), -1);

    struct Row {
        std::ptrdiff_t first, last;
    };
    for (const Row& r : {Row{2, 1}, Row{-1, 2}, Row{0, 4}}) {
        EXPECT_EQ(errorOf([&] { arrayMax(v, r.first, r.last); }), kErrSubscript)
            << r.first << ".." << r.last;
    }
    EXPECT_EQ(errorOf([] { arrayMax(std::vector<double>{}); }), kErrSubscript);
}

TEST(ValueFormatTest, Log10RejectsNonPositive) {
    EXPECT_NEAR(log10(1e-3), -3.0, 1e-15);
    for (double x : {0.0, -1.0, kNaN}) {
        EXPECT_EQ(errorOf([&] { log10(x); }), kErrInvalidProcedureCall) << x;
    }
}

TEST(ValueFormatTest, VardesiffrorRoundsHalvesAwayFromZero) {
    struct Row {
        double x;
        int n;
        double expected;
    };
    const Row rows[] = {
        {12345, 3, 12300},  {2.5, 3, 2.5},   {0.012345, 3, 0.0123},
        {-333.33, 3, -333}, {0, 3, 0},       {-0.0004567, 2, -0.00046},
        {125, 2, 130},      {-125, 2, -130}, {0.125, 2, 0.13},
        {-0.125, 2, -0.13}, {9.9996, 3, 10}, {1000, 3, 1000},
        {999.6, 3, 1000},   {0.5, 1, 0.5},   {123.456, 10, 123.456},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(vardesiffror(r.x, r.n), r.expected) << "(" << r.x << ", " << r.n << ")";
    }
    EXPECT_TRUE(std::isnan(vardesiffror(kNaN, 3)));
}

TEST(ValueFormatTest, FormatPatternHasOneDecimalPerDigit) {
    struct Row {
        int n;
        const char* pattern;
    };
    const Row rows[] = {{0, "#0"},     {5, "#0.0"},     {9, "#0.0"},       {10, "#0.00"},
                        {25, "#0.00"}, {100, "#0.000"}, {1000, "#0.0000"}, {32767, "#0.00000"}};
    for (const Row& r : rows) EXPECT_EQ(formatPattern(r.n), r.pattern) << r.n;
    EXPECT_EQ(errorOf([] { formatPattern(-1); }), kErrInvalidProcedureCall);
}

TEST(ValueFormatTest, RoundToClosestE10StepsAboveLeadingDigit) {
    struct Row {
        double x;
        double expected;
    };
    const Row rows[] = {
        {1, 1},
        {1.0001, 2},
        {10, 20},
        {1.5, 2},
        {2, 5},
        {3.7, 5},
        {5, 10},
        {7, 10},
        {9.6, 10},
        {12, 20},
        {50, 100},
        {1234, 2000},
        {0.3, 0.5},
        {0.5, 1},
        {0.01, 0.02},
        {0.05, 0.1},
        {0.00999, 0.01},
        {9.999999999999998, 10},
        {99.99999999999999, 100},
    };
    for (const Row& r : rows) EXPECT_EQ(round_to_closest_e10(r.x), r.expected) << r.x;

    for (double x : {0.0, -1.0, kNaN}) {
        EXPECT_EQ(errorOf([&] { round_to_closest_e10(x); }), kErrInvalidProcedureCall) << x;
    }
    for (double x : {1e-310, kInf}) {
        EXPECT_EQ(errorOf([&] { round_to_closest_e10(x); }), kErrOverflow) << x;
    }
}

TEST(ValueFormatTest, TimeGridStepTableBoundaries) {
    struct Row {
        double spanS;
        double stepS;
        const char* pattern;
    };
    const Row rows[] = {
        {10.0001, 2, "#0"},        {10, 1, "#0"},
        {5.0001, 1, "#0"},         {5, 0.5, "#0.0"},
        {4.0001, 0.5, "#0.0"},     {4, 0.4, "#0.0"},
        {2.5001, 0.4, "#0.0"},     {10.0 / 4, 0.25, "#0.00"},
        {2.0001, 0.25, "#0.00"},   {2, 0.2, "#0.0"},
        {1.2501, 0.2, "#0.0"},     {1.25, 0.1, "#0.0"},
        {0.6251, 0.1, "#0.0"},     {10.0 / 16, 0.05, "#0.00"},
        {0.3126, 0.05, "#0.00"},   {0.3125, 0.025, "#0.000"},
        {0.1251, 0.025, "#0.000"}, {0.125, 0.01, "#0.00"},
        {0.0626, 0.01, "#0.00"},   {0.0625, 0.005, "#0.000"},
        {0, 0.005, "#0.000"},      {1000, 2, "#0"},
    };
    for (const Row& r : rows) {
        const TimeGrid grid = timeGridStep(r.spanS);
        EXPECT_EQ(grid.stepS, r.stepS) << "span " << r.spanS;
        EXPECT_EQ(grid.pattern, r.pattern) << "span " << r.spanS;
    }
}

TEST(ValueFormatTest, TextOfDoubleUsesFifteenDigitsAndExponentSwitchPoints) {
    struct Row {
        double x;
        const char* text;
    };
    const Row rows[] = {
        {0, "0"},
        {-0.0, "0"},
        {0.5, "0.5"},
        {-0.5, "-0.5"},
        {100, "100"},
        {12.345, "12.345"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {1234567.125, "1234567.125"},
        {0.0001, "0.0001"},
        {0.00012, "0.00012"},
        {0.00001, "1E-05"},
        {0.000099999, "9.9999E-05"},
        {-2.5e-7, "-2.5E-07"},
        {999999999999999, "999999999999999"},
        {999999999999999.9, "1E+15"},
        {1e15, "1E+15"},
        {1.5e15, "1.5E+15"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {1e100, "1E+100"},
        {1e-300, "1E-300"},
        {kNaN, "NaN"},
        {kInf, "Infinity"},
        {-kInf, "-Infinity"},
    };
    for (const Row& r : rows) EXPECT_EQ(textOf(r.x), r.text) << r.text;
}

TEST(ValueFormatTest, TextOfSingleUsesSevenDigits) {
    struct Row {
        float x;
        const char* text;
    };
    const Row rows[] = {
        {12.345f, "12.345"},
        {0.1f, "0.1"},
        {-2.5f, "-2.5"},
        {1.0f / 3, "0.3333333"},
        {9999999.0f, "9999999"},
        {1e7f, "1E+07"},
        {16777216.0f, "1.677722E+07"},
        {0.0001f, "0.0001"},
        {1e-5f, "1E-05"},
        {3.4028235e38f, "3.402823E+38"},
        {0.0f, "0"},
    };
    for (const Row& r : rows) EXPECT_EQ(textOfSingle(r.x), r.text) << r.text;
}

TEST(ValueFormatTest, FormatNumberRoundsExactHalvesAwayFromZero) {
    struct Row {
        double x;
        const char* pattern;
        const char* text;
    };
    const Row rows[] = {
        {0.125, "#0.00", "0.13"},
        {2.675, "#0.00", "2.67"},  // stored as 2.67499...
        {-1.5, "#0", "-2"},
        {2.5, "#0", "3"},
        {0.5, "#0", "1"},
        {1.0625, "#0.000", "1.063"},
        {-1.0625, "#0.000", "-1.063"},
        {1.0005, "#0.000", "1.000"},  // stored as 1.000499...
        {0.05, "#0.0", "0.1"},
        {0.15, "#0.0", "0.1"},
        {99.95, "#0.0", "100.0"},
        {9.9996, "#0.000", "10.000"},
        {3, "#0.0", "3.0"},
        {0.4, "0.000", "0.400"},
        {1234.5678, "0.000", "1234.568"},
        {-0.005, "#0.00", "-0.01"},
        {-0.001, "#0.00", "0.00"},
        {-0.4, "#0", "0"},
        {2.5e-7, "#0.000", "0.000"},
        {5e-324, "#0", "0"},
        {1e20, "#0", "100000000000000000000"},
        {4503599627370495.5, "#0", "4503599627370496"},
        {7, "00", "07"},
        {0, "00", "00"},
        {123, "00", "123"},
        {-3, "00", "-03"},
        {6.5, "00", "07"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(formatNumber(r.x, r.pattern), r.text) << r.x << " with " << r.pattern;
    }
    for (const char* pattern : {"#0.##", "", "0", "ddd"}) {
        EXPECT_EQ(errorOf([&] { formatNumber(1, pattern); }), kErrInvalidProcedureCall) << pattern;
    }
}

TEST(ValueFormatTest, DateNames) {
    struct Row {
        int year, month, day;
        const char* weekday;
    };
    const Row rows[] = {
        {2024, 2, 29, "Thu"},
        {2056, 1, 1, "Sat"},
        {2000, 1, 1, "Sat"},
        {1900, 1, 1, "Mon"},
        {1981, 1, 1, "Thu"},
        {2080, 12, 31, "Tue"},
        {1600, 3, 1, "Wed"},
        {1, 1, 1, "Mon"},
        {9999, 12, 31, "Fri"},
        // Out-of-range parts roll over: Mar 1 2024, Jan 1 2024, Dec 1 2023, Feb 29 2024.
        {2024, 2, 30, "Fri"},
        {2023, 13, 1, "Mon"},
        {2024, 0, 1, "Fri"},
        {2024, 3, 0, "Thu"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(weekdayAbbrev(r.year, r.month, r.day), r.weekday)
            << r.year << "-" << r.month << "-" << r.day;
    }
    EXPECT_EQ(errorOf([] { weekdayAbbrev(40000, 1, 1); }), kErrInvalidProcedureCall);

    EXPECT_EQ(monthAbbrev(1), "Jan");
    EXPECT_EQ(monthAbbrev(12), "Dec");
    for (int month : {0, 13}) EXPECT_EQ(errorOf([&] { monthAbbrev(month); }), kErrSubscript);

    struct YearRow {
        int twoDigit, year;
    };
    for (const YearRow& r :
         {YearRow{0, 2000}, YearRow{80, 2080}, YearRow{81, 1981}, YearRow{99, 1999}}) {
        EXPECT_EQ(calendarYear(r.twoDigit), r.year) << r.twoDigit;
    }
}

}  // namespace
}  // namespace krnz
