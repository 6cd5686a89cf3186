// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "core/common/error.h"
#include "core/common/value_format.h"
#include "core/view/clipboard_text.h"
#include "support/event_builder.h"

namespace krnz::view {
namespace {

std::string text(std::span<const float> samples, char separator = '.') {
    const ClipboardText t = channelClipboardText(samples, separator);
    return {t.begin(), t.end()};
}

// Every line of the text must be textOfSingle of its sample, the one rule for a float's text.
void expectLinesAreTextOfSingle(const std::vector<float>& samples) {
    const std::string all = text(samples);
    std::size_t at = 0;
    for (const float x : samples) {
        const std::size_t end = all.find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        const std::string expected = textOfSingle(x);
        if (all.compare(at, end - at, expected) != 0) {
            ADD_FAILURE() << std::hexfloat << x << ": " << all.substr(at, end - at)
                          << " instead of " << expected;
            return;
        }
        at = end + 2;
    }
    EXPECT_EQ(at, all.size());
}

TEST(ClipboardText, ThreeSamplesOneLineEach) {
    const Event e = test::makeEvent({{9.0f}, {}, {1.5f, -0.25f, 0.0f}});
    EXPECT_EQ(channelClipboardText(e.sample, 2), "1.5\r\n-0.25\r\n0\r\n");
    EXPECT_EQ(channelClipboardText(e.sample, 0), "9\r\n0\r\n0\r\n");
    EXPECT_EQ(text({}), "");
    EXPECT_THROW(channelClipboardText(e.sample, 4), Error);
}

TEST(ClipboardText, LinesLongerThanTheGuessGrowTheText) {
    const std::vector<float> samples(100001, -1.234567e-30f);
    const std::string all = text(samples);
    ASSERT_EQ(all.size(), samples.size() * 15);
    EXPECT_EQ(all.substr(all.size() - 30), "-1.234567E-30\r\n-1.234567E-30\r\n");
}

TEST(ClipboardText, SystemDecimalSeparator) {
    EXPECT_EQ(text(std::vector<float>{1.5f, -0.25f, 0.0f, 2.5e-7f, 3.0f}, ','),
              "1,5\r\n-0,25\r\n0\r\n2,5E-07\r\n3\r\n");
}

TEST(ClipboardText, SevenSignificantDigitsAndExponentForm) {
    struct Row {
        float x;
        const char* text;
    };
    const Row rows[] = {
        {0.1f, "0.1"},
        {1.0f / 3.0f, "0.3333333"},
        {-2.0f / 3.0f, "-0.6666667"},
        {0.00001f, "1E-05"},
        {-0.000012345678f, "-1.234568E-05"},
        {1234567.0f, "1234567"},
        {9999999.0f, "9999999"},
        {12345678.0f, "1.234568E+07"},
        {1e7f, "1E+07"},
        // Stored just below a power of ten, rounded up into the next decade.
        {0.01f, "0.01"},
        {0.0001f, "0.0001"},
        {1e11f, "1E+11"},
        {-0.0f, "0"},
        {std::numeric_limits<float>::max(), "3.402823E+38"},
        {std::numeric_limits<float>::denorm_min(), "1.401298E-45"},
        {std::numeric_limits<float>::infinity(), "Infinity"},
        {-std::numeric_limits<float>::infinity(), "-Infinity"},
        {std::numeric_limits<float>::quiet_NaN(), "NaN"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(text(std::vector<float>{r.x}), std::string(r.text) + "\r\n") << r.text;
}

TEST(ClipboardText, HalvesAtTheEighthDigitAsTextOfSingle) {
    // Floats that lie exactly half-way between two seven-digit decimals, where a fast
    // conversion that rounds the wrong way shows.
    std::vector<float> ties;
    for (int k = 10000005; k < 16777216; k += 10 * 37) ties.push_back(static_cast<float>(k));
    for (double x = 1048576.5; x < 2097152; x += 997) ties.push_back(static_cast<float>(x));
    for (double x = 1048576.5; x < 2097152; x += 1013)
        ties.push_back(static_cast<float>(-x / 1024));
    expectLinesAreTextOfSingle(ties);
}

TEST(ClipboardText, AnyFloatAsTextOfSingle) {
    std::mt19937 random(20240611);
    std::vector<float> samples;
    // Every bit pattern: all exponents, subnormals, NaN and infinities included.
    for (int i = 0; i < 200000; ++i)
        samples.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
    // What instruments record: 16-bit counts over a sensitivity.
    std::uniform_int_distribution<int> count(-32768, 32767);
    for (const double sens : {1.0, 4.0, 50.0, 500.0, 0.3, 12.5, 0.0254})
        for (int i = 0; i < 20000; ++i) samples.push_back(static_cast<float>(count(random) / sens));
    expectLinesAreTextOfSingle(samples);
}

}  // namespace
}  // namespace krnz::view
