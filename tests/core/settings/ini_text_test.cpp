// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_text.h"
#include "core/settings/ini_values.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace krnz::settings {
namespace {

TEST(IniText, SameTextIgnoresCaseOfAsciiAndLatinLetters) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"sizeLeft", "SIZELEFT", true},
        {"English.TXT", "english.txt", true},
        {"Malm\xC3\xB6", "MALM\xC3\x96", true},  // ö / Ö
        {"\xC3\xB7", "\xC3\x97", false},         // division and multiplication signs
        {"size", "sizeLeft", false},
        {"", "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sameText(c.a, c.b), c.same) << c.a << " / " << c.b;
    }
}

TEST(IniValues, NumbersParseOnlyWhenTheWholeTextIsANumber) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"12", 12.0},          {" 12\t", 12.0},
        {"+5", 5.0},           {"-3.5", -3.5},
        {"1e3", 1e3},          {".5", 0.5},
        {"abc", std::nullopt}, {"12abc", std::nullopt},
        {"", std::nullopt},    {"+-1", std::nullopt},
        {"inf", std::nullopt}, {"nan", std::nullopt},
        {"1 2", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(IniValues, WholeNumbersRoundHalfToEvenAndRespectTheirRange) {
    EXPECT_EQ(parseLong("2.5"), 2);
    EXPECT_EQ(parseLong("3.5"), 4);
    EXPECT_EQ(parseLong("-2.5"), -2);
    EXPECT_EQ(parseLong("2147483647"), 2147483647);
    EXPECT_EQ(parseLong("2147483648"), std::nullopt);
    EXPECT_EQ(parseInteger("32768"), std::nullopt);
    EXPECT_EQ(parseByte("255"), 255);
    EXPECT_EQ(parseByte("256"), std::nullopt);
    EXPECT_EQ(parseByte("-1"), std::nullopt);
    EXPECT_EQ(parseSingle("1e39"), std::nullopt);
}

TEST(IniValues, TextFormsAreShortestPlainDecimals) {
    EXPECT_EQ(iniText(true), "True");
    EXPECT_EQ(iniText(false), "False");
    EXPECT_EQ(iniText(100000.0), "100000");  // not "1e+05"
    EXPECT_EQ(iniText(0.125), "0.125");
    EXPECT_EQ(iniText(0.1f), "0.1");  // the float's own shortest form, not 0.100000001
    EXPECT_EQ(iniText(-10.5f), "-10.5");
    EXPECT_EQ(iniText(std::int16_t{-7}), "-7");
    EXPECT_EQ(iniText(std::uint8_t{200}), "200");
    EXPECT_EQ(iniText("text"), "text");
}

}  // namespace
}  // namespace krnz::settings
