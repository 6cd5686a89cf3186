// SPDX-License-Identifier: GPL-3.0-or-later
#include "event_generator.h"
#include "support/param_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace krnz::eventgen {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint16_t u16At(const Bytes& b, std::size_t offset) {
    return static_cast<std::uint16_t>(b.at(offset) | (b.at(offset + 1) << 8));
}

std::int16_t i16At(const Bytes& b, std::size_t offset) {
    return static_cast<std::int16_t>(u16At(b, offset));
}

std::uint32_t u32At(const Bytes& b, std::size_t offset) {
    return static_cast<std::uint32_t>(u16At(b, offset)) |
           (static_cast<std::uint32_t>(u16At(b, offset + 2)) << 16);
}

float f32At(const Bytes& b, std::size_t offset) {
    const std::uint32_t bits = u32At(b, offset);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string textAt(const Bytes& b, std::size_t offset, std::size_t width) {
    return {b.begin() + static_cast<std::ptrdiff_t>(offset),
            b.begin() + static_cast<std::ptrdiff_t>(offset + width)};
}

TEST(EventGenBcd, EncodesDecimalDigitsAsNibbles) {
    EXPECT_EQ(toBcd8(0), 0x00);
    EXPECT_EQ(toBcd8(9), 0x09);
    EXPECT_EQ(toBcd8(10), 0x10);
    EXPECT_EQ(toBcd8(99), 0x99);
    EXPECT_EQ(toBcd16(1234), 0x1234);
    EXPECT_EQ(toBcd16(9999), 0x9999);
    EXPECT_EQ(toBcd16(7), 0x0007);
    EXPECT_EQ(encodeSensitivity(2, 500), 0x2500);
    EXPECT_EQ(encodeSensitivity(3, 20), 0x3020);
    EXPECT_EQ(encodeSensitivity(0, 100), 0x0100);
    EXPECT_THROW(toBcd8(100), std::invalid_argument);
    EXPECT_THROW(toBcd8(-1), std::invalid_argument);
    EXPECT_THROW(toBcd16(10000), std::invalid_argument);
    EXPECT_THROW(encodeSensitivity(10, 0), std::invalid_argument);
    EXPECT_THROW(encodeSensitivity(1, 1000), std::invalid_argument);
}

struct SensitivityCase {
    bool k200;
    std::uint16_t field;
    std::uint8_t loHi;
    double countsPerUnit;
};

class EventGenSensitivity : public ::testing::TestWithParam<SensitivityCase> {};

TEST_P(EventGenSensitivity, FollowsTheGainRange) {
    const SensitivityCase& c = GetParam();
    const double got =
        c.k200 ? k200CountsPerUnit(c.field, c.loHi) : k100CountsPerUnit(c.field, c.loHi);
    EXPECT_DOUBLE_EQ(got, c.countsPerUnit);
}

INSTANTIATE_TEST_SUITE_P(Examples, EventGenSensitivity,
                         ::testing::Values(SensitivityCase{false, 0x0100, 1, 0.1},
                                           SensitivityCase{false, 0x0100, 0, 1.0},
                                           SensitivityCase{false, 0x2500, 1, 50.0},
                                           SensitivityCase{false, 0x2500, 0, 500.0},
                                           SensitivityCase{false, 0x4007, 1, 70.0},
                                           SensitivityCase{true, 0x3020, 1, 4.0},
                                           SensitivityCase{true, 0x3020, 0, 40.0},
                                           SensitivityCase{true, 0x3020, 7, 4.0}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return std::string(p.k200 ? "K200" : "K100") + "_field" +
                                    std::to_string(p.field) + "_range" + std::to_string(p.loHi);
                         });

TEST(EventGenSensitivity, RejectsNonDecimalField) {
    EXPECT_THROW(k100CountsPerUnit(0x2A00, 1), std::invalid_argument);
    EXPECT_THROW(k200CountsPerUnit(0x300F, 1), std::invalid_argument);
}

TEST(EventGenK100, HeaderFieldsSitAtTheirOffsets) {
    K100Event event;
    K100Header& h = event.header;
    h.tag = "XYZW5abc";
    h.date = {20, 24, 12, 0, 31, 23, 59, 58};
    h.regLengthIndex = 3;
    h.eventNumber = 1234;
    h.instrumentSN = 567;
    h.channels[0] = {1, 2, 0x2500, 100, 1};
    h.channels[3] = {4, 6, 0x0100, -2, 0};
    event.samples = {{{1, 2, 3}, {11, 12, 13}, {-21}, {31, 32, -33}}};
    const Bytes b = writeK100(event);

    EXPECT_EQ(textAt(b, 0, 8), "XYZW5abc");
    const Bytes date(b.begin() + 32, b.begin() + 40);
    EXPECT_EQ(date, (Bytes{0x20, 0x24, 0x12, 0x00, 0x31, 0x23, 0x59, 0x58}));
    EXPECT_EQ(b[44], 3);
    EXPECT_EQ(b[48], 0x34);
    EXPECT_EQ(b[49], 0x12);
    EXPECT_EQ(u16At(b, 52), 0x0567);
    // Slot 0: kind 64, unit 65, sensitivity 66..67 = 00 25, trigger 70..71 = 64 00, loHi 74.
    EXPECT_EQ(b[64], 1);
    EXPECT_EQ(b[65], 2);
    EXPECT_EQ(b[66], 0x00);
    EXPECT_EQ(b[67], 0x25);
    EXPECT_EQ(b[70], 0x64);
    EXPECT_EQ(b[71], 0x00);
    EXPECT_EQ(b[74], 1);
    // Slot 3 at 64 + 36.
    EXPECT_EQ(b[100], 4);
    EXPECT_EQ(b[101], 6);
    EXPECT_EQ(u16At(b, 102), 0x0100);
    EXPECT_EQ(i16At(b, 106), -2);
    EXPECT_EQ(b[110], 0);

    ASSERT_EQ(b.size(), 512u + 3 * 4 * 2);
    const std::int16_t expected[3][4] = {{1, 11, -21, 31}, {2, 12, 0, 32}, {3, 13, 0, -33}};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t c = 0; c < 4; ++c)
            EXPECT_EQ(i16At(b, 512 + 2 * (4 * i + c)), expected[i][c]) << i << "," << c;
}

TEST(EventGenK100, RawOverridesAndTagLengthAreWrittenAsGiven) {
    K100Event event;
    event.header.tag = "KRN5";
    event.header.rawDate = std::array<std::uint8_t, 8>{0x20, 0x1A, 0xFF, 0, 0x3F, 0, 0, 0};
    event.header.rawEventNumber = 0x12AF;
    event.header.rawInstrumentSN = 0xFFFF;
    Bytes b = writeK100(event);
    EXPECT_EQ(textAt(b, 0, 8), std::string("KRN5\0\0\0\0", 8));
    EXPECT_EQ(b[33], 0x1A);
    EXPECT_EQ(b[34], 0xFF);
    EXPECT_EQ(b[36], 0x3F);
    EXPECT_EQ(u16At(b, 48), 0x12AF);
    EXPECT_EQ(u16At(b, 52), 0xFFFF);
    EXPECT_EQ(b.size(), 512u);

    event.header.tag = "KRN05K100LONG";
    b = writeK100(event);
    EXPECT_EQ(textAt(b, 0, 8), "KRN05K10");
    EXPECT_EQ(b[8], 0);
}

// Six channels with a sensor: 2 and 7 are off.
K200Event sixChannelK200(std::uint8_t regLengthIndex) {
    K200Event event;
    event.header.regLengthIndex = regLengthIndex;
    event.header.channels[1].sensorKind = 0;
    event.header.channels[6].sensorKind = 0;
    for (std::size_t k = 0; k < 8; ++k) {
        event.header.channels[k].references.fill(static_cast<std::int16_t>(2000 + k));
        event.samples[k] = {static_cast<std::int16_t>(100 * (k + 1)),
                            static_cast<std::int16_t>(-100 * (k + 1))};
    }
    return event;
}

struct K200BlockCase {
    std::uint8_t regLengthIndex;
    std::size_t blockSize;
};

class EventGenK200Blocks : public ::testing::TestWithParam<K200BlockCase> {};

TEST_P(EventGenK200Blocks, SamplesFollowTheReferenceBlocksOfSensorChannels) {
    const auto [index, blockSize] = GetParam();
    const K200Event event = sixChannelK200(index);
    const Bytes b = writeK200(event);

    EXPECT_EQ(k200BlockSize(index), blockSize);
    EXPECT_EQ(k200DataStart(event.header, 1), 12800u);
    EXPECT_EQ(k200DataStart(event.header, 2), 12800u + 4 * blockSize);
    EXPECT_EQ(b.size(), 12800u + 8 * blockSize);
    for (std::size_t k = 0; k < 8; ++k) {
        const std::size_t at = 12800 + k * blockSize;
        EXPECT_EQ(i16At(b, at), 100 * static_cast<int>(k + 1)) << "channel " << k + 1;
        EXPECT_EQ(i16At(b, at + 2), -100 * static_cast<int>(k + 1)) << "channel " << k + 1;
        EXPECT_EQ(i16At(b, at + 4), 0) << "padding after channel " << k + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(RecordLengths, EventGenK200Blocks,
                         ::testing::Values(K200BlockCase{0, 10240}, K200BlockCase{1, 20480},
                                           K200BlockCase{2, 51200}, K200BlockCase{3, 51200},
                                           K200BlockCase{4, 51200}, K200BlockCase{9, 51200}),
                         [](const auto& info) {
                             return "regLengthIndex" + std::to_string(info.param.regLengthIndex);
                         });

TEST(EventGenK200, HeaderTablesAndReferenceBlocks) {
    K200Event event = sixChannelK200(1);
    K200Header& h = event.header;
    h.tag = k200Tag(42);
    h.eventNumber = 9876;
    h.date = {19, 99, 1, 0, 2, 3, 4, 5};
    for (std::size_t k = 0; k < 8; ++k) {
        K200Channel& ch = h.channels[k];
        ch.unit = static_cast<std::uint8_t>(10 + k);
        ch.loHi = static_cast<std::uint8_t>(20 + k);
        ch.triggerRaw = static_cast<std::int16_t>(-300 - static_cast<int>(k));
        ch.sensitivityField = toBcd16(3000 + static_cast<int>(k));
    }
    const Bytes b = writeK200(event);

    EXPECT_EQ(textAt(b, 0, 8), "K0426K20");
    EXPECT_EQ(b[4], '6');
    EXPECT_EQ(b[32], 0x19);
    EXPECT_EQ(b[33], 0x99);
    EXPECT_EQ(b[39], 0x05);
    EXPECT_EQ(b[44], 1);
    EXPECT_EQ(u16At(b, 112), 0x9876);
    const std::size_t sensitivityAt[8] = {56, 58, 60, 62, 120, 122, 124, 126};
    const int kinds[8] = {1, 0, 1, 4, 1, 1, 0, 4};
    for (std::size_t k = 0; k < 8; ++k) {
        const std::size_t entry = 64 + 6 * k;
        EXPECT_EQ(b[entry], kinds[k]) << k;
        EXPECT_EQ(b[entry + 2], 10 + k) << k;
        EXPECT_EQ(b[entry + 3], 20 + k) << k;
        EXPECT_EQ(i16At(b, entry + 4), -300 - static_cast<int>(k)) << k;
        EXPECT_EQ(u16At(b, sensitivityAt[k]), 0x3000 + k) << k;
    }
    // One 2048-byte reference block per sensor channel, in channel order: 1, 3, 4, 5, 6, 8.
    const std::size_t sensorChannels[6] = {0, 2, 3, 4, 5, 7};
    for (std::size_t j = 0; j < 6; ++j) {
        const std::size_t block = 512 + 2048 * j;
        for (std::size_t r = 0; r < 16; ++r)
            EXPECT_EQ(i16At(b, block + 2 * r), 2000 + static_cast<int>(sensorChannels[j]));
        EXPECT_EQ(i16At(b, block + 32), 0);
    }
}

TEST(EventGenK200, RejectsSamplesLongerThanTheirBlock) {
    K200Event event;
    event.header.regLengthIndex = 0;
    event.samples[7].assign(10240 / 2 + 1, 0);
    EXPECT_THROW(writeK200(event), std::invalid_argument);
    event.samples[7].resize(10240 / 2);
    EXPECT_NO_THROW(writeK200(event));
    EXPECT_THROW(k200Tag(1000), std::invalid_argument);
}

struct ZeroOffsetCase {
    const char* name;
    std::vector<int> deviations;  // from 1038, the rest of the sixteen are 0
    int zeroOffset;
};

class EventGenZeroOffset : public ::testing::TestWithParam<ZeroOffsetCase> {};

TEST_P(EventGenZeroOffset, FromReferenceReadings) {
    K200References refs;
    refs.fill(1038);
    const auto& deviations = GetParam().deviations;
    for (std::size_t j = 0; j < deviations.size(); ++j)
        refs[j] = static_cast<std::int16_t>(1038 + deviations[j]);
    EXPECT_EQ(k200ZeroOffset(refs), GetParam().zeroOffset);
}

INSTANTIATE_TEST_SUITE_P(Readings, EventGenZeroOffset,
                         ::testing::Values(ZeroOffsetCase{"AllAtBaseline", {}, 1},
                                           ZeroOffsetCase{"HalfUpToEven", {8}, 2},     // 1.5
                                           ZeroOffsetCase{"HalfDownToEven", {24}, 2},  // 2.5
                                           ZeroOffsetCase{"HalfToZero", {-24}, 0},     // -0.5
                                           ZeroOffsetCase{"NegativeHalf", {-40}, -2},  // -1.5
                                           ZeroOffsetCase{"BelowHalf", {7}, 1},        // 1.4375
                                           ZeroOffsetCase{"ExactlyLimit", {640}, 41},
                                           ZeroOffsetCase{"AboveLimit", {641}, 0},
                                           ZeroOffsetCase{"StaysAboveOnceOver", {600, 50, -400}, 0},
                                           ZeroOffsetCase{"FarBelowNotLimited",
                                                          {-1000, -1000, -1000, -1000, -1000, -1000,
                                                           -1000, -1000},
                                                          -499}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EventGenTremolog, HeaderFieldsSitAtTheirOffsets) {
    TremologEvent event;
    TremologHeader& h = event.header;
    h.lengthFlagA = 1;
    h.lengthFlagB = 2;
    h.instrumentSN = -2;
    h.eventCounter = 70000;
    h.year = 2056;
    h.month = 12;
    h.day = 31;
    h.hour = 23;
    h.minute = 58;
    h.second = 59;
    h.frq = 1024;
    h.nSecPerChannel = 12;
    h.pretriggerSamples = 250;
    h.sensorKind = {1, 2, 3, 0};
    h.unit = {3, 2, 5, 9};
    h.scaleNumerator = {1.5F, 2.5F, 3.5F, 4.5F};
    h.scaleDenominator = {10.0F, 20.0F, 30.0F, 40.0F};
    h.triggerLevel = {0.25F, 0.5F, 0.75F, 100.0F};
    h.storedNSamples = 12345;
    event.samples = {{{1, 2}, {3, 4}, {5, 6}, {7, -8}}};
    const Bytes b = writeTremolog(event);

    EXPECT_EQ(textAt(b, 0, 8), "TREMOLOG");
    EXPECT_EQ(b[10], 1);
    EXPECT_EQ(b[11], 2);
    EXPECT_EQ(i16At(b, 12), -2);
    EXPECT_EQ(u32At(b, 26), 70000u);
    EXPECT_EQ(u16At(b, 30), 2056);
    EXPECT_EQ(textAt(b, 32, 5), std::string("\x0C\x1F\x17\x3A\x3B"));
    EXPECT_EQ(u16At(b, 38), 1024);
    EXPECT_EQ(u16At(b, 40), 12);
    EXPECT_EQ(u16At(b, 42), 250);
    EXPECT_EQ(textAt(b, 46, 4), std::string("\x01\x02\x03\x00", 4));
    EXPECT_EQ(textAt(b, 58, 4), std::string("\x03\x02\x05\x09"));
    for (std::size_t c = 0; c < 4; ++c) {
        EXPECT_EQ(f32At(b, 62 + 4 * c), h.scaleNumerator[c]);
        EXPECT_EQ(f32At(b, 78 + 4 * c), h.scaleDenominator[c]);
        EXPECT_EQ(f32At(b, 110 + 4 * c), h.triggerLevel[c]);
    }
    EXPECT_EQ(u32At(b, 166), 12345u);

    const std::uint32_t d = u32At(b, 158);
    const std::uint32_t t = u32At(b, 162);
    EXPECT_GE(t, 170u);
    EXPECT_LE(t + 410, d);
    ASSERT_EQ(b.size(), d + 2 * 4 * 2);
    const std::int16_t interleaved[8] = {1, 3, 5, 7, 2, 4, 6, -8};
    for (std::size_t k = 0; k < 8; ++k) EXPECT_EQ(i16At(b, d + 2 * k), interleaved[k]);
}

TEST(EventGenTremolog, SectionPlacement) {
    TremologEvent event;
    event.samples = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}};
    event.texts.client = "first";

    event.header.textPlacement = TextPlacement::AfterSamples;
    Bytes b = writeTremolog(event);
    std::uint32_t d = u32At(b, 158);
    std::uint32_t t = u32At(b, 162);
    EXPECT_GE(d, 170u);
    EXPECT_EQ(t, d + 3 * 8);
    EXPECT_EQ(b.size(), t + 410);
    EXPECT_EQ(u32At(b, 166), 3u);
    EXPECT_EQ(textAt(b, t, 6), std::string("first\0", 6));
    EXPECT_EQ(i16At(b, d + 22), 12);

    // A text offset inside the header: the header is written over the texts.
    event.header.textOffset = 0;
    event.header.dataOffset = 4000;
    b = writeTremolog(event);
    EXPECT_EQ(u32At(b, 158), 4000u);
    EXPECT_EQ(u32At(b, 162), 0u);
    EXPECT_EQ(textAt(b, 0, 8), "TREMOLOG");
    EXPECT_EQ(b.size(), 4000u + 24);
    EXPECT_EQ(i16At(b, 4000), 1);
}

TEST(EventGenTremolog, RawTextSectionIsWrittenVerbatim) {
    TremologEvent event;
    event.rawTextSection = Bytes{'\0', 'x', '\0', 'y'};
    const Bytes b = writeTremolog(event);
    const std::uint32_t t = u32At(b, 162);
    EXPECT_EQ(textAt(b, t, 4), std::string("\0x\0y", 4));
    EXPECT_EQ(b[t + 4], 0);
    EXPECT_EQ(encodeTremologTextSection(UserTexts{}, '.').size(), 410u);
}

TEST(EventGenText, Windows1252) {
    EXPECT_EQ(toWindows1252("plain ~ text"), "plain ~ text");
    EXPECT_EQ(toWindows1252("€ Ÿ ö µ ×"), "\x80 \x9F \xF6 \xB5 \xD7");
    EXPECT_EQ(toWindows1252("→ 😀"), "? ?");
    EXPECT_EQ(toWindows1252("Malm\xF6"), "Malm\xF6");  // not UTF-8: kept as ANSI
    EXPECT_EQ(toWindows1252("\xC3"), "\xC3");          // cut sequence
}

TEST(EventGenText, UserInfoFileIsIniWithCrLf) {
    const UserTexts texts{"Malmö", "op", "loc", "me", "n", "co", "µ", "one\r\ntwo\nthree"};
    const Bytes b = makeUserInfoFile(texts);
    const std::string ini(b.begin(), b.end());
    EXPECT_EQ(ini,
              "[general]\r\nclient=Malm\xF6\r\noperation=op\r\nlocation=loc\r\noperator=me\r\n"
              "notes=n\r\ncompany=co\r\nsupplement=\xB5\r\nfree=one~two~three\r\n");
}

TEST(EventGenSignal, QuantizeRoundsHalfToEvenAndSaturates) {
    const std::vector<double> values{0.5,     1.5,      2.5,     -2.5,    -0.4,
                                     40000.0, -40000.0, 163.835, -163.845};
    const std::vector<std::int16_t> expected{0, 2, 2, -2, 0, 32767, -32768, 32767, -32768};
    EXPECT_EQ(quantize(values, 1.0, 0.0).size(), values.size());
    EXPECT_EQ(quantize(std::span(values).first(7), 1.0),
              std::vector<std::int16_t>(expected.begin(), expected.begin() + 7));
    EXPECT_EQ(quantize(std::span(values).last(2), 200.0),
              std::vector<std::int16_t>({32767, -32768}));
    EXPECT_EQ(quantize(std::vector<double>{1.0, -1.0}, 200.0, 1040.0),
              std::vector<std::int16_t>({1240, 840}));
}

TEST(EventGenSignal, TransientReachesItsPeakAndTheStartStaysInTheNoise) {
    Random shapes(7);
    ChannelSignal signal;
    signal.onsetIndex = 100;
    const std::vector<double> frequencies{10.0, 33.0};
    signal.transient = geophoneTransient(1000.0, 12.5, frequencies, 5000, shapes);
    signal.noiseAmplitude = 0.05;
    double peak = 0.0;
    for (double v : signal.transient) peak = std::max(peak, std::abs(v));
    EXPECT_DOUBLE_EQ(peak, 12.5);

    Random a(99);
    const std::vector<double> values = renderSignal(signal, 3000, a);
    for (std::size_t i = 0; i < 100; ++i) ASSERT_LE(std::abs(values[i]), 0.05) << i;
}

// Physical samples of one channel, decoded with the stored sensitivity, baseline and offset.
struct Decoded {
    std::vector<double> values;
    double countsPerUnit;
};

void expectRealistic(const Decoded& channel, const SignalTruth& truth, bool microphone,
                     double unitScale, const std::string& where) {
    const auto& v = channel.values;
    ASSERT_FALSE(v.empty()) << where;
    const double slack = truth.noiseAmplitude + 0.5 * unitScale / channel.countsPerUnit + 1e-9;
    const double lo = (microphone ? 10.0 : 0.5) * unitScale;
    const double hi = (microphone ? 500.0 : 50.0) * unitScale;
    double peak = 0.0;
    std::size_t peakIndex = 0;
    for (std::size_t i = 0; i < v.size(); ++i)
        if (std::abs(v[i]) > peak) {
            peak = std::abs(v[i]);
            peakIndex = i;
        }
    EXPECT_GE(peak, lo) << where;
    EXPECT_LE(peak, hi) << where;
    EXPECT_NEAR(peak, truth.peak, slack) << where;
    EXPECT_GT(peakIndex, truth.onsetIndex) << where;
    for (std::size_t i = 0; i < truth.onsetIndex; ++i)
        ASSERT_LE(std::abs(v[i]), slack) << where << " pretrigger sample " << i;
}

class EventGenRealistic : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(EventGenRealistic, K100SignalsInRange) {
    for (int index : {0, 3, 4}) {
        const K100Event event = makeRealisticK100(index, GetParam());
        const Bytes b = writeK100(event);
        const std::size_t n = b[44] == 0 ? 2000 : 8000;
        ASSERT_EQ(b.size(), 512 + 8 * n);
        EXPECT_EQ(b[4], '5');
        for (std::size_t c = 0; c < 4; ++c) {
            const std::size_t entry = 64 + 12 * c;
            Decoded ch{{}, k100CountsPerUnit(u16At(b, entry + 2), b[entry + 10])};
            for (std::size_t i = 0; i < n; ++i)
                ch.values.push_back(i16At(b, 512 + 2 * (4 * i + c)) / ch.countsPerUnit);
            expectRealistic(ch, event.truth[c], b[entry] == 4, 1.0,
                            "index " + std::to_string(index) + " slot " + std::to_string(c));
        }
    }
}

TEST_P(EventGenRealistic, K200SignalsInRange) {
    const K200Event event = makeRealisticK200(0, GetParam());
    const Bytes b = writeK200(event);
    EXPECT_EQ(b[4], '6');
    const std::size_t dataStart = 512 + 8 * 2048;
    for (std::size_t k = 0; k < 8; ++k) {
        const std::size_t entry = 64 + 6 * k;
        const std::size_t sensAt = k < 4 ? 56 + 2 * k : 120 + 2 * (k - 4);
        Decoded ch{{}, k200CountsPerUnit(u16At(b, sensAt), b[entry + 3])};
        K200References refs;
        for (std::size_t j = 0; j < 16; ++j) refs[j] = i16At(b, 512 + 2048 * k + 2 * j);
        const int zeroOffset = k200ZeroOffset(refs);
        for (std::size_t i = 0; i < 5000; ++i)
            ch.values.push_back((i16At(b, dataStart + 10240 * k + 2 * i) - 1038 - zeroOffset) /
                                ch.countsPerUnit);
        expectRealistic(ch, event.truth[k], b[entry] == 4, 1.0, "channel " + std::to_string(k + 1));
    }
}

TEST_P(EventGenRealistic, TremologSignalsInRange) {
    for (const bool imperial : {false, true}) {
        const TremologEvent event =
            makeRealisticTremolog(2000.0, 6000, GetParam(), imperial, imperial);
        const Bytes b = writeTremolog(event);
        const std::uint32_t d = u32At(b, 158);
        EXPECT_EQ(b[58], imperial ? 3 : 2);
        EXPECT_EQ(b[61], imperial ? 9 : 6);
        for (std::size_t c = 0; c < 4; ++c) {
            const bool microphone = b[46 + c] == 4;
            const double shown = !imperial ? 1.0 : microphone ? 0.00014502 : 0.03937;
            const double k = static_cast<double>(f32At(b, 62 + 4 * c)) / f32At(b, 78 + 4 * c);
            Decoded ch{{}, 1.0 / k};
            for (std::size_t i = 0; i < 6000; ++i)
                ch.values.push_back(i16At(b, d + 2 * (4 * i + c)) * k * shown);
            expectRealistic(ch, event.truth[c], microphone, shown, "slot " + std::to_string(c));
        }
    }
}

TEST_P(EventGenRealistic, SameSeedSameBytes) {
    const std::uint32_t seed = GetParam();
    EXPECT_EQ(writeK100(makeRealisticK100(1, seed)), writeK100(makeRealisticK100(1, seed)));
    EXPECT_EQ(writeK200(makeRealisticK200(1, seed)), writeK200(makeRealisticK200(1, seed)));
    EXPECT_EQ(writeTremolog(makeRealisticTremolog(500.0, 3000, seed)),
              writeTremolog(makeRealisticTremolog(500.0, 3000, seed)));
    EXPECT_NE(writeK100(makeRealisticK100(1, seed)), writeK100(makeRealisticK100(1, seed + 1)));
    EXPECT_NE(writeTremolog(makeRealisticTremolog(500.0, 3000, seed)),
              writeTremolog(makeRealisticTremolog(500.0, 3000, seed + 1)));
}

INSTANTIATE_TEST_SUITE_P(Seeds, EventGenRealistic,
                         ::testing::Values(1u, 2u, 17u, 4711u, 123456789u),
                         [](const auto& info) { return "seed" + std::to_string(info.param); });

struct LengthCase {
    double frq;
    std::int32_t nSamples;
    bool flags;
    std::uint16_t nSecPerChannel;
    std::uint16_t pretrigger;
};

class EventGenTremologLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(EventGenTremologLength, FlagsAndStoredLength) {
    const LengthCase& c = GetParam();
    const Bytes b = writeTremolog(makeRealisticTremolog(c.frq, c.nSamples, 3));
    EXPECT_EQ(b[10] != 0 && b[11] != 0, c.flags);
    EXPECT_EQ(b[10] != 0, b[11] != 0);
    EXPECT_EQ(u16At(b, 38), static_cast<std::uint16_t>(c.frq));
    EXPECT_EQ(u16At(b, 40), c.nSecPerChannel);
    EXPECT_EQ(u16At(b, 42), c.pretrigger);
    EXPECT_EQ(u32At(b, 166), static_cast<std::uint32_t>(c.nSamples));
    EXPECT_EQ(b.size(), u32At(b, 158) + 8u * static_cast<std::uint32_t>(c.nSamples));
}

INSTANTIATE_TEST_SUITE_P(Lengths, EventGenTremologLength,
                         ::testing::Values(LengthCase{1000.0, 2000, false, 2, 250},
                                           LengthCase{1000.0, 12345, true, 12, 250},
                                           LengthCase{2048.0, 4096, false, 2, 512},
                                           LengthCase{100.0, 40, true, 0, 10},
                                           LengthCase{1000.0, 0, false, 0, 0}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::nameOf(test::numberText(p.frq) + " Hz " +
                                                 std::to_string(p.nSamples) + " samples" +
                                                 (p.flags ? " flagged" : ""));
                         });

TEST(EventGenRealisticArguments, Rejected) {
    EXPECT_THROW(makeRealisticK100(5, 1), std::invalid_argument);
    EXPECT_THROW(makeRealisticK200(-1, 1), std::invalid_argument);
    EXPECT_THROW(makeRealisticTremolog(0.0, 100, 1), std::invalid_argument);
    EXPECT_THROW(makeRealisticTremolog(70000.0, 100, 1), std::invalid_argument);
    EXPECT_THROW(makeRealisticTremolog(1000.0, -1, 1), std::invalid_argument);
}

TEST(EventGenSampleSet, CoversEveryLayoutAndStaysSmall) {
    const std::vector<SampleFile> files = makeSampleSet();
    std::set<std::string> names;
    std::size_t total = 0;
    std::set<int> k100Indexes;
    std::set<int> k200Indexes;
    int tremologs = 0;
    bool channelOff = false;
    bool imperial = false;
    // KRN, five digits, a dot, three digits.
    const auto isKrnName = [](const std::string& name) {
        const auto digits = [&](std::size_t from, std::size_t count) {
            return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(from),
                               name.begin() + static_cast<std::ptrdiff_t>(from + count),
                               [](char c) { return c >= '0' && c <= '9'; });
        };
        return name.size() == 12 && name.starts_with("KRN") && digits(3, 5) && name[8] == '.' &&
               digits(9, 3);
    };
    for (const SampleFile& f : files) {
        names.insert(f.name);
        total += f.bytes.size();
        EXPECT_LT(f.bytes.size(), 300u * 1024) << f.name;
        if (f.name.ends_with(".userinfo")) continue;
        if (f.name.ends_with(".tremolog")) {
            ++tremologs;
            imperial = imperial || (f.bytes[58] == 3 && f.bytes[61] == 9);
            continue;
        }
        EXPECT_TRUE(isKrnName(f.name)) << f.name;
        if (f.bytes[4] == '5') {
            k100Indexes.insert(f.bytes[44]);
            for (std::size_t c = 0; c < 4; ++c)
                channelOff = channelOff || f.bytes[64 + 12 * c] == 0;
        } else {
            EXPECT_EQ(f.bytes[4], '6') << f.name;
            k200Indexes.insert(f.bytes[44]);
        }
    }
    EXPECT_LT(total, 1500u * 1024);
    EXPECT_EQ(names.size(), files.size());
    EXPECT_TRUE(k100Indexes.contains(0) && k100Indexes.contains(3));
    EXPECT_TRUE(k200Indexes.contains(1));
    EXPECT_GE(tremologs, 2);
    EXPECT_TRUE(channelOff);
    EXPECT_TRUE(imperial);
    for (const std::string& name : names) {
        if (name.ends_with(".userinfo")) {
            EXPECT_TRUE(names.contains(name.substr(0, name.size() - 9))) << name;
        }
    }
}

TEST(EventGenSampleSet, WrittenFilesMatchTheSet) {
    const auto dir = std::filesystem::temp_directory_path() / "krnz_eventgen_test_samples";
    std::filesystem::remove_all(dir);
    const auto paths = writeSampleSet(dir);
    const auto files = makeSampleSet();
    ASSERT_EQ(paths.size(), files.size());
    for (std::size_t k = 0; k < files.size(); ++k) {
        EXPECT_EQ(paths[k].filename(), files[k].name);
        EXPECT_EQ(std::filesystem::file_size(paths[k]), files[k].bytes.size());
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator{}),
              static_cast<std::ptrdiff_t>(files.size()));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace krnz::eventgen
