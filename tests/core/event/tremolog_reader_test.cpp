// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>

#include "core/event/event_reader.h"
#include "core/event/units.h"
#include "core/event/user_info.h"
#include "support/temp_dir.h"
#include "tremolog_writer.h"

namespace krnz {
namespace {

namespace gen = eventgen;

gen::TremologEvent smallEvent(int n = 2000) {
    gen::TremologEvent ev;
    for (int c = 0; c < 4; ++c) {
        ev.samples[c].resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            ev.samples[c][static_cast<std::size_t>(i)] =
                static_cast<std::int16_t>((i % 200) - 100 + c);
    }
    return ev;
}

class TremologReaderTest : public ::testing::Test {
  protected:
    LoadedEvent read(const gen::TremologEvent& ev) { return read(gen::writeTremolog(ev)); }
    LoadedEvent read(const std::vector<std::uint8_t>& bytes, const ReadOptions& options = {}) {
        return readDatafile(m_dir.write("event.tremolog", bytes), options);
    }
    // The message a rejection shows, or "" when the file was read.
    std::string rejection(const gen::TremologEvent& ev, const ReadOptions& options = {}) {
        try {
            read(gen::writeTremolog(ev), options);
            return "";
        } catch (const ReadRejected& e) {
            return e.messages().back();
        }
    }
    test::TempDir m_dir;
};

TEST_F(TremologReaderTest, HeaderRules) {
    gen::TremologEvent ev = smallEvent();
    ev.header.year = 2056;
    ev.header.eventCounter = 20000;  // 20000 mod 9999
    const LoadedEvent loaded = read(ev);
    const SampleRecord& r = loaded.event.sample;
    EXPECT_EQ(r.fileFormat, kFormatTremolog);
    EXPECT_EQ(r.channelGroup, 1);
    EXPECT_EQ(r.nSamplesPerChannel, 2000);
    EXPECT_EQ(r.pretrig, 0.25);
    EXPECT_EQ(r.sampleInterval, 0.001);
    EXPECT_EQ(r.year, 56);
    EXPECT_EQ(r.month, 5);
    EXPECT_EQ(r.eventNumber, 2);
    EXPECT_EQ(r.instrumentSN, 3107);
    const double k0 = 254.0 / 32768.0;
    EXPECT_EQ(r.sampleData(0, 0), static_cast<float>(-100 * k0));
    EXPECT_EQ(r.sampleData(3, 7), static_cast<float>(-90 * (1000.0 / 32768.0)));
    EXPECT_EQ(loaded.event.channels[3].unit, kUnitPa);
    EXPECT_EQ(loaded.event.channels[0].triggerLevel, 0.5);
}

TEST_F(TremologReaderTest, StoredLengthWhenBothFlagsAreSet) {
    gen::TremologEvent ev = smallEvent(12345);
    ev.header.lengthFlagA = 1;
    ev.header.lengthFlagB = 0;  // one flag alone does not count
    EXPECT_EQ(read(ev).event.sample.nSamplesPerChannel, 2000);
    ev.header.lengthFlagB = 3;
    const SampleRecord r = read(ev).event.sample;
    EXPECT_EQ(r.nSamplesPerChannel, 12345);
    EXPECT_EQ(r.nSecPerChannel, 12.345f);
}

TEST_F(TremologReaderTest, InchAndPsiConversions) {
    gen::TremologEvent ev = smallEvent();
    ev.header.unit = {3, 2, 9, 9};  // slot 0 ips; slot 2's code 9 is no velocity unit; slot 3 psi
    const Event e = read(ev).event;
    const double k = 254.0 / 32768.0;
    EXPECT_EQ(e.channels[0].unit, kUnitIps);
    EXPECT_EQ(e.sample.sampleData(0, 0), static_cast<float>(-100 * (k * 0.03937)));
    EXPECT_DOUBLE_EQ(e.channels[0].triggerLevel, 0.5 * 0.03937);
    EXPECT_EQ(e.channels[0].integUnit, 18);
    EXPECT_EQ(e.channels[2].unit, 9);
    EXPECT_EQ(e.sample.sampleData(2, 0), static_cast<float>(-98 * k));
    EXPECT_EQ(e.channels[3].unit, kUnitPsi);
    EXPECT_EQ(e.sample.sampleData(3, 1), static_cast<float>(-96 * (1000.0 / 32768.0 * 0.00014502)));
    // The psi microphone's integral and derivative go into pascal units, not into a displacement.
    EXPECT_EQ(e.channels[3].integUnit, 16);
    EXPECT_DOUBLE_EQ(e.channels[3].integScale, 6894.757);
    EXPECT_EQ(e.channels[3].diffUnit, 17);
    EXPECT_DOUBLE_EQ(e.channels[3].diffScale, 6894.757);

    ev.header.unit[3] = 7;  // any other code on the microphone reads as Pa
    EXPECT_EQ(read(ev).event.channels[3].unit, kUnitPa);
}

TEST_F(TremologReaderTest, FailuresAreRejectionsWithTheReadersMessage) {
    gen::TremologEvent ev = smallEvent();
    ev.header.frq = 0;
    EXPECT_EQ(rejection(ev).rfind("readdatafile ", 0), 0u);
    ev = smallEvent();
    ev.header.eventCounter = 32768;  // does not fit 16 bits
    EXPECT_EQ(rejection(ev), "readdatafile 6\r\nOverflow");
    ev.header.eventCounter = 32767;
    EXPECT_EQ(rejection(ev), "");
    ev.header.scaleDenominator[2] = 0.0f;
    EXPECT_EQ(rejection(ev), "readdatafile 11\r\nDivision by zero");
    ev = smallEvent();
    ev.header.nSecPerChannel = 0;
    EXPECT_NE(rejection(ev), "");
}

TEST_F(TremologReaderTest, DeclaredLengthFarBeyondTheFileIsRefused) {
    gen::TremologEvent ev = smallEvent(1000);
    ev.header.lengthFlagA = ev.header.lengthFlagB = 1;
    ev.header.storedNSamples = 2'000'000'000u;
    EXPECT_NE(rejection(ev).find("far more than the file holds"), std::string::npos);

    // A modest cut is read, the missing samples as 0.
    ev.header.storedNSamples = 1500;
    const SampleRecord r = read(ev).event.sample;
    EXPECT_EQ(r.nSamplesPerChannel, 1500);
    EXPECT_EQ(r.sampleData(1, 1499), 0.0f);
    EXPECT_NE(r.sampleData(1, 999), 0.0f);
}

TEST_F(TremologReaderTest, SampleCapCountsTheDeclaredLength) {
    gen::TremologEvent ev = smallEvent(1000);
    ev.header.lengthFlagA = ev.header.lengthFlagB = 1;
    ev.header.storedNSamples = 1000;
    ReadOptions capped;
    capped.maxSamplesPerChannel = 1000;
    EXPECT_EQ(rejection(ev, capped), "");
    capped.maxSamplesPerChannel = 999;
    EXPECT_EQ(rejection(ev, capped),
              "readdatafile 0\r\nthe event holds 1000 samples per channel, more than the 999 "
              "this reading allows");

    // What the header declares counts, not what the file holds: a cut file that declares 1500
    // is refused under a cap of 1200 though it holds only 1000.
    ev.header.storedNSamples = 1500;
    capped.maxSamplesPerChannel = 1200;
    EXPECT_NE(rejection(ev, capped).find("1500 samples per channel"), std::string::npos);
    EXPECT_EQ(rejection(ev), "");  // no cap: read as before, the missing samples 0

    // The file's own limit still comes first.
    ev.header.storedNSamples = 2'000'000'000u;
    EXPECT_NE(rejection(ev, capped).find("far more than the file holds"), std::string::npos);
}

TEST_F(TremologReaderTest, TextSection) {
    gen::TremologEvent ev = smallEvent();
    ev.texts.client = "Vägverket";
    ev.texts.operation = "Blast 12";
    ev.texts.location = std::string(30, 'L');  // fills its field: no NUL
    ev.texts.freeText = "line one\r\nline two\r\nthree";
    ev.textPadding = 'x';
    const UserInfo info = *read(ev).userInfo;
    EXPECT_EQ(info.client, "Vägverket");
    EXPECT_EQ(info.operation, "Blast 12");
    EXPECT_EQ(info.location, std::string(30, 'L'));
    EXPECT_EQ(info.operatorName, "");
    EXPECT_EQ(info.freeText, "line one\r\nline two\r\nthree");
}

TEST(TremologTexts, NulPositionsDecideTheCut) {
    std::string section(kTremologTextBytes, 'a');
    section[0] = '\0';                       // client: empty
    section[30 + 29] = '\0';                 // operation: NUL only in the last place, kept
    section[60 + 5] = '\0';                  // location: 5 characters
    std::memcpy(&section[210], "a~b\0", 4);  // free text with a line break
    const UserInfo info = parseTremologTexts(section);
    EXPECT_EQ(info.client, "");
    EXPECT_EQ(info.operation, std::string(29, 'a') + '\0');
    EXPECT_EQ(info.location, "aaaaa");
    EXPECT_EQ(info.freeText, "a\r\nb");
    EXPECT_EQ(info.company, std::string(30, 'a'));
}

}  // namespace
}  // namespace krnz
