// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/event/event_reader.h"
#include "core/event/krn_reader.h"
#include "core/event/units.h"
#include "k100_writer.h"
#include "k200_writer.h"
#include "krn_fields.h"
#include "support/temp_dir.h"

namespace krnz {
namespace {

namespace gen = eventgen;

std::vector<std::int16_t> ramp(int n, int start, int step) {
    std::vector<std::int16_t> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(start + step * i);
    return v;
}

class KrnReaderTest : public ::testing::Test {
  protected:
    LoadedEvent read(const std::vector<std::uint8_t>& bytes, int group = 1,
                     std::optional<std::int32_t> maxSamples = std::nullopt) {
        return readDatafile(m_dir.write("KRN00001.001", bytes), ReadOptions{group, maxSamples});
    }
    test::TempDir m_dir;
};

TEST_F(KrnReaderTest, K100HeaderSamplesAndUnits) {
    gen::K100Event ev;
    ev.header.regLengthIndex = 3;
    ev.header.eventNumber = 4321;
    ev.header.instrumentSN = 1234;
    ev.header.date = {20, 81, 12, 0, 31, 23, 59, 58};
    ev.header.channels[0] = {1, 2, 0x2500, 100, 1};  // 50 counts per mm/s, trigger 2 mm/s
    ev.header.channels[1] = {1, 2, 0x2500, 100, 0};  // x10 gain: 500 counts, trigger 0.2
    ev.header.channels[2] = {0, 2, 0x2100, 7, 1};    // no sensor
    ev.header.channels[3] = {4, 6, 0x0100, 3, 0};    // 0.1 x 10 = 1 count per Pa
    for (int c = 0; c < 4; ++c) ev.samples[c] = ramp(8000, -4000 + c, 1);
    const Event e = read(gen::writeK100(ev)).event;
    const SampleRecord& r = e.sample;

    EXPECT_EQ(r.fileFormat, kFormatK100);
    EXPECT_EQ(r.channelGroup, 1);
    EXPECT_EQ(r.instrumentSN, 1234);
    EXPECT_EQ(r.eventNumber, 4321);
    EXPECT_EQ(r.year, 81);
    EXPECT_EQ(r.month, 12);
    EXPECT_EQ(r.day, 31);
    EXPECT_EQ(r.second, 58);
    EXPECT_EQ(r.nSamplesPerChannel, 8000);
    EXPECT_EQ(r.frq, 1000.0);
    EXPECT_EQ(r.pretrig, 0.5);
    EXPECT_EQ(r.nSecPerChannel, 8.0f);
    EXPECT_EQ(r.sampleInterval, 8.0 / 8000);

    EXPECT_EQ(e.channels[0].sens, 50.0);
    EXPECT_EQ(e.channels[0].triggerLevel, 2.0);
    EXPECT_EQ(e.channels[1].sens, 500.0);
    EXPECT_DOUBLE_EQ(e.channels[1].triggerLevel, 0.2);
    EXPECT_EQ(e.channels[3].sens, 1.0);
    EXPECT_EQ(unitName(e.channels[0].unit), "mm/s");
    EXPECT_EQ(sensorKindName(e.channels[0].sensorKind), "Geo");

    // A slot without a sensor reads "undef" but keeps the derived units of its stored unit.
    EXPECT_TRUE(r.channelOff[2]);
    EXPECT_EQ(e.channels[2].unit, kUnitUndef);
    EXPECT_EQ(e.channels[2].integUnit, kUnitMicrometre);
    EXPECT_FALSE(r.channelOff[0]);

    for (int i : {0, 1, 3999, 7999}) {
        EXPECT_EQ(r.sampleData(0, i), static_cast<float>((-4000 + i) / 50.0)) << i;
        EXPECT_EQ(r.sampleData(1, i), static_cast<float>((-3999 + i) / 500.0)) << i;
        EXPECT_EQ(r.sampleData(3, i), static_cast<float>(-3997 + i)) << i;
    }
    EXPECT_EQ(r.chMaxIndex[0], 7999);
    EXPECT_EQ(r.chMinIndex[0], 0);
    EXPECT_EQ(r.allMax, 4002.0f);
}

TEST_F(KrnReaderTest, RecordLengthTables) {
    struct Row {
        int format;
        int index;
        std::int32_t n;
        double frq;
        double pretrig;
        float nSec;
    };
    const Row rows[] = {{5, 0, 2000, 2000, 0.1, 1},  {5, 2, 8000, 2000, 0.5, 4},
                        {5, 4, 8000, 500, 0.5, 16},  {6, 0, 5000, 5000, 0.2, 1},
                        {6, 1, 10000, 5000, 0.4, 2}, {6, 4, 25000, 1250, 0.5, 20}};
    for (const Row& row : rows) {
        std::vector<std::uint8_t> bytes;
        if (row.format == 5) {
            gen::K100Event ev;
            ev.header.regLengthIndex = static_cast<std::uint8_t>(row.index);
            bytes = gen::writeK100(ev);
        } else {
            gen::K200Event ev;
            ev.header.regLengthIndex = static_cast<std::uint8_t>(row.index);
            bytes = gen::writeK200(ev);
        }
        const SampleRecord r = read(bytes).event.sample;
        SCOPED_TRACE(::testing::Message() << "format " << row.format << " index " << row.index);
        EXPECT_EQ(r.nSamplesPerChannel, row.n);
        EXPECT_EQ(r.frq, row.frq);
        EXPECT_EQ(r.pretrig, row.pretrig);
        EXPECT_EQ(r.nSecPerChannel, row.nSec);
        EXPECT_EQ(r.sampleData.samplesPerRow(), row.n);
    }
}

TEST_F(KrnReaderTest, SampleCapRefusesLongerRecords) {
    gen::K100Event k100;  // record length index 0: 2000 samples
    const std::vector<std::uint8_t> k100Bytes = gen::writeK100(k100);
    EXPECT_EQ(read(k100Bytes, 1, 2000).event.sample.nSamplesPerChannel, 2000);
    try {
        read(k100Bytes, 1, 1999);
        ADD_FAILURE() << "a 2000-sample record was read under a cap of 1999";
    } catch (const ReadRejected& e) {
        EXPECT_EQ(e.messages().back(),
                  "the event holds 2000 samples per channel, more than the 1999 this reading "
                  "allows");
    }

    gen::K200Event k200;
    k200.header.regLengthIndex = 4;  // 25000 samples
    const std::vector<std::uint8_t> k200Bytes = gen::writeK200(k200);
    for (const int group : {1, 2}) {
        EXPECT_THROW(read(k200Bytes, group, 24999), ReadRejected);
        EXPECT_EQ(read(k200Bytes, group, 25000).event.sample.nSamplesPerChannel, 25000);
        EXPECT_EQ(read(k200Bytes, group).event.sample.nSamplesPerChannel, 25000);
    }
}

TEST(KrnSensitivity, BcdAndGainRange) {
    struct Row {
        std::uint16_t field;
        std::uint8_t loHi;
        int format;
        double sens;
    };
    const Row rows[] = {{0x0100, 0, 5, 1.0},    {0x0100, 1, 5, 0.1}, {0x2500, 1, 5, 50.0},
                        {0x2500, 0, 5, 500.0},  {0x3020, 1, 6, 4.0}, {0x3020, 0, 6, 40.0},
                        {0x4123, 1, 5, 1230.0}, {0x0000, 1, 5, 0.0}};
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(krnSensitivity(row.field, row.loHi, row.format), row.sens)
            << std::hex << row.field;
    try {
        krnSensitivity(0x25A0, 1, 5);
        FAIL() << "a nibble above 9 must not decode";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrProgram);
        EXPECT_EQ(e.text(), "file corrupt");
    }
}

TEST(KrnBcd, DecodesHexDigitsAsDecimal) {
    EXPECT_EQ(decodeBcd(0x1234, 4), 1234);
    EXPECT_EQ(decodeBcd(0x9999, 4), 9999);
    EXPECT_EQ(decodeBcd(0x07, 2), 7);
    EXPECT_THROW(decodeBcd(0x1F, 2), Error);
    EXPECT_THROW(decodeBcd(0xA000, 4), Error);
}

TEST(K200ZeroOffset, FromReferenceValues) {
    std::int16_t refs[16];
    auto fill = [&](int v) {
        std::fill(std::begin(refs), std::end(refs), static_cast<std::int16_t>(v));
    };
    fill(1038);
    EXPECT_EQ(k200ZeroOffset(refs), 1);  // the formula adds 1 before rounding
    fill(1078);                          // 40 above: the sum passes 640 at the 16th value
    EXPECT_EQ(k200ZeroOffset(refs), 41);
    fill(1079);  // sum 656 > 640
    EXPECT_EQ(k200ZeroOffset(refs), 0);
    fill(38);  // far below is not limited: -16000 / 16 + 1
    EXPECT_EQ(k200ZeroOffset(refs), -999);
    fill(1038);
    refs[0] = 1046;  // 8 / 16 + 1 = 1.5 -> 2 (half to even)
    EXPECT_EQ(k200ZeroOffset(refs), 2);
    refs[0] = 1062;  // 24 / 16 + 1 = 2.5 -> 2
    EXPECT_EQ(k200ZeroOffset(refs), 2);
    refs[0] = -32000;  // the 16-bit difference overflows
    EXPECT_THROW(k200ZeroOffset(refs), Error);
}

double k200Sens(const gen::K200Channel& ch) {
    return gen::k200CountsPerUnit(ch.sensitivityField, ch.loHi);
}

TEST_F(KrnReaderTest, K200GroupsAndZeroOffsets) {
    gen::K200Event ev;
    ev.header.regLengthIndex = 0;  // 5000 samples, 10240-byte blocks
    for (int k = 0; k < 8; ++k) {
        ev.header.channels[k].references.fill(static_cast<std::int16_t>(1038 + k));
        ev.samples[k] = ramp(5000, 1038 + 100 * k, 1);
    }
    const auto bytes = gen::writeK200(ev);
    for (int group : {1, 2}) {
        SCOPED_TRACE(group);
        const Event e = read(bytes, group).event;
        EXPECT_EQ(e.sample.channelGroup, group);
        EXPECT_EQ(e.sample.fileFormat, kFormatK200);
        EXPECT_EQ(e.sample.instrumentSN, 206);
        for (int c = 0; c < 4; ++c) {
            const int k = (group - 1) * 4 + c;
            const gen::K200Channel& ch = ev.header.channels[k];
            const double sens = k200Sens(ch);
            EXPECT_DOUBLE_EQ(e.channels[c].sens, sens);
            EXPECT_DOUBLE_EQ(e.channels[c].triggerLevel, ch.triggerRaw * 4 / sens);
            const int zero = k + 1;  // deviations of k each: round(16k / 16 + 1)
            for (int i : {0, 2500, 4999})
                EXPECT_EQ(e.sample.sampleData(c, i),
                          static_cast<float>((100 * k + i - zero) / sens))
                    << "slot " << c << " i " << i;
        }
    }
}

// Reference blocks are packed: only channels with a sensor have one, in channel order.
TEST_F(KrnReaderTest, K200PackedBlocksOfChannelsWithASensor) {
    gen::K200Event ev;
    ev.header.regLengthIndex = 0;
    ev.header.channels[2].sensorKind = 0;
    ev.header.channels[6].sensorKind = 0;  // six channels with a sensor
    for (int k = 0; k < 8; ++k) {
        ev.header.channels[k].references.fill(static_cast<std::int16_t>(1038 + 2 * k));
        ev.samples[k] = ramp(5000, 1038 + 100 * k, 1);
    }
    EXPECT_EQ(gen::k200DataStart(ev.header), 512u + 6 * 2048u);
    EXPECT_EQ(gen::k200DataStart(ev.header, 2), 512u + 6 * 2048u + 4 * 10240u);
    const auto bytes = gen::writeK200(ev);
    for (int group : {1, 2}) {
        const Event e = read(bytes, group).event;
        for (int c = 0; c < 4; ++c) {
            const int k = (group - 1) * 4 + c;
            const gen::K200Channel& ch = ev.header.channels[k];
            SCOPED_TRACE(::testing::Message() << "group " << group << " slot " << c);
            EXPECT_EQ(e.sample.channelOff[c], ch.sensorKind == 0);
            if (ch.sensorKind == 0) {
                EXPECT_EQ(e.channels[c].unit, kUnitUndef);
                continue;
            }
            const int zero = 2 * k + 1;  // deviations of 2k each: round(32k / 16 + 1)
            EXPECT_EQ(e.sample.sampleData(c, 10),
                      static_cast<float>((100 * k + 10 - zero) / k200Sens(ch)));
        }
    }
}

TEST_F(KrnReaderTest, RejectionsAndCorruption) {
    {
        gen::K100Event ev;
        ev.header.regLengthIndex = 5;
        try {
            read(gen::writeK100(ev));
            FAIL();
        } catch (const ReadRejected& e) {
            EXPECT_EQ(e.messages().front(), "readDatafile: no such nSecPerChannelIndex");
        }
    }
    auto expectCorrupt = [&](const std::vector<std::uint8_t>& bytes, const char* what) {
        try {
            read(bytes);
            ADD_FAILURE() << what << ": read";
        } catch (const ReadRejected&) {
            ADD_FAILURE() << what << ": rejected instead of corrupt";
        } catch (const Error&) {
        }
    };
    gen::K100Event zeroSens;
    zeroSens.header.channels[2] = {0, 2, 0x0000, 0, 1};  // no sensor, still divides by zero
    expectCorrupt(gen::writeK100(zeroSens), "sensitivity 0");
    gen::K100Event badDate;
    badDate.header.rawDate =
        std::array<std::uint8_t, 8>{0x20, 0x24, 0x1A, 0, 0x17, 0x10, 0x42, 0x07};
    expectCorrupt(gen::writeK100(badDate), "month nibble above 9");
    gen::K200Event bigTrigger;
    bigTrigger.header.channels[1].triggerRaw = 8192;  // x4 leaves 16 bits
    expectCorrupt(gen::writeK200(bigTrigger), "trigger x4 overflow");
    gen::K200Event badSerial;
    badSerial.header.tag = "KX1*6K20";
    expectCorrupt(gen::writeK200(badSerial), "serial not a number");

    // The tag decides, whatever else the first bytes hold.
    gen::K100Event odd;
    odd.header.tag = "zzzz5zzz";
    EXPECT_EQ(read(gen::writeK100(odd)).event.sample.fileFormat, kFormatK100);
    std::vector<std::uint8_t> junk = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
    junk.resize(600);
    try {
        read(junk);
        FAIL();
    } catch (const ReadRejected& e) {
        EXPECT_EQ(e.messages().front(), "bad filetype: ABCDEFGH");
    }
}

TEST_F(KrnReaderTest, TruncatedFilesReadMissingSamplesAsZero) {
    gen::K100Event ev;
    for (int c = 0; c < 4; ++c) ev.samples[c] = std::vector<std::int16_t>(2000, 77);
    std::vector<std::uint8_t> bytes = gen::writeK100(ev);
    bytes.resize(512 + 8 * 1000 + 2);  // half the samples and one value of the next step
    const SampleRecord r = read(bytes).event.sample;
    EXPECT_NE(r.sampleData(0, 999), 0.0f);
    EXPECT_NE(r.sampleData(0, 1000), 0.0f);
    EXPECT_EQ(r.sampleData(1, 1000), 0.0f);
    EXPECT_EQ(r.sampleData(3, 1999), 0.0f);

    // K200: samples past the end are 0 in the channel's unit, not the reading of a raw 0.
    gen::K200Event k200;
    k200.header.regLengthIndex = 0;
    for (int k = 0; k < 8; ++k) k200.samples[k] = std::vector<std::int16_t>(5000, 1100);
    std::vector<std::uint8_t> k200Bytes = gen::writeK200(k200);
    k200Bytes.resize(gen::k200DataStart(k200.header) + 10240 + 2 * 100);  // slot 1: 100 samples
    const SampleRecord r200 = read(k200Bytes).event.sample;
    EXPECT_NE(r200.sampleData(1, 99), 0.0f);
    EXPECT_EQ(r200.sampleData(1, 100), 0.0f);
    EXPECT_EQ(r200.sampleData(3, 0), 0.0f);

    // Cut inside the header: the sensitivities read as 0 and divide by zero.
    bytes.resize(40);
    EXPECT_THROW(read(bytes), Error);
}

}  // namespace
}  // namespace krnz
