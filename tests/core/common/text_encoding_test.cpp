// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/text_encoding.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace krnz
