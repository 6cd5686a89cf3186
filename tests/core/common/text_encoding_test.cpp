// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/text_encoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace krnz {
namespace {

TEST(TextEncoding, AnsiBytesBecomeUtf8) {
    EXPECT_EQ(decodeAnsiOrUtf8("\xB5m"), "\xC2\xB5m");  // the instruments' micro sign
    EXPECT_EQ(decodeAnsiOrUtf8("Malm\xF6"), "Malm\xC3\xB6");
    EXPECT_EQ(decodeAnsiOrUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(decodeAnsiOrUtf8("\x81"), "\xC2\x81");      // undefined byte survives
}

TEST(TextEncoding, ValidUtf8IsKept) {
    EXPECT_EQ(decodeAnsiOrUtf8("Malm\xC3\xB6 \xE2\x82\xAC"), "Malm\xC3\xB6 \xE2\x82\xAC");
    EXPECT_FALSE(isValidUtf8("\xC0\x80"));      // overlong NUL
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));      // cut short
}

TEST(TextEncoding, RoundTripOfEveryAnsiByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(encodeAnsi(decodeAnsi(all)), all);
}

TEST(TextEncoding, UnmappableBecomesQuestionMark) {
    EXPECT_EQ(encodeAnsi("\xE2\x88\x9E x"), "? x");  // infinity sign
}

TEST(TextEncoding, WhichCharactersWindows1252Holds) {
    // Every character a Windows-1252 byte decodes to has a form, and nothing else: the check
    // runs over the first 0x3000 code points against the bytes' own decodings.
    std::u32string held;
    for (int b = 0; b < 256; ++b) {
        const std::string utf8 = decodeAnsi(std::string(1, static_cast<char>(b)));
        char32_t cp = static_cast<unsigned char>(utf8[0]);
        if (utf8.size() == 2) cp = ((cp & 0x1F) << 6) | (utf8[1] & 0x3F);
        if (utf8.size() == 3) cp = ((cp & 0x0F) << 12) | ((utf8[1] & 0x3F) << 6) | (utf8[2] & 0x3F);
        held += cp;
    }
    for (char32_t cp = 0; cp < 0x3000; ++cp)
        EXPECT_EQ(hasAnsiForm(cp), held.find(cp) != std::u32string::npos)
            << std::hex << static_cast<std::uint32_t>(cp);
    EXPECT_TRUE(hasAnsiForm(U'\u20AC'));   // euro sign, byte 0x80
    EXPECT_TRUE(hasAnsiForm(U'\u0081'));   // an undefined byte's control
    EXPECT_FALSE(hasAnsiForm(U'\u2264'));  // less-than or equal to
    EXPECT_FALSE(hasAnsiForm(U'\U0001F600'));
}

TEST(TextEncoding, KeepAnsiCharactersDropsTheRest) {
    EXPECT_EQ(keepAnsiCharacters("a \xE2\x89\xA4 5 \xE2\x82\xAC, Malm\xC3\xB6"),
              "a  5 \xE2\x82\xAC, Malm\xC3\xB6");
    EXPECT_EQ(keepAnsiCharacters("\xF0\x9F\x98\x80x\xFFy"), "xy");  // emoji; a stray byte
    EXPECT_EQ(keepAnsiCharacters("line\r\nbreak"), "line\r\nbreak");
}

}  // namespace
}  // namespace krnz
