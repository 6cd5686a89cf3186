// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>

#include "core/common/error.h"
#include "core/event/event_reader.h"
#include "core/event/k100_channel_dump.h"
#include "k100_writer.h"
#include "k200_writer.h"
#include "krn_fields.h"
#include "support/temp_dir.h"
#include "tremolog_writer.h"

namespace krnz {
namespace {

namespace gen = eventgen;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "line without CR LF at " << at;
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

class K100ChannelDumpTest : public ::testing::Test {
  protected:
    std::string dump(const std::vector<std::uint8_t>& bytes) {
        return k100ChannelDump(m_dir.write("KRN00412.103", bytes),
                               [this](const std::string& m) { m_informed.push_back(m); });
    }
    // The refusal's messages; fails the test when the file was not refused.
    std::vector<std::string> refusal(const std::vector<std::uint8_t>& bytes) {
        try {
            dump(bytes);
        } catch (const ReadRejected& e) {
            return e.messages();
        }
        ADD_FAILURE() << "not refused";
        return {};
    }

    test::TempDir m_dir;
    std::vector<std::string> m_informed;
};

TEST_F(K100ChannelDumpTest, HighGainSlot0WrittenOut) {
    gen::K100Event ev;
    ev.header.tag = "XXXX5YYY";  // the fifth character alone makes it a K100 file
    ev.header.channels[0] = {1, 2, 0x2500, 100, 0};  // 500 / 10 = 50, x10 in the high range
    ev.samples[0] = {250, -500, 0, 32767, -32768};
    ev.samples[1] = {11111, 11111, 11111};  // the other slots must not leak into the dump
    ev.samples[3] = {-7, -7, -7};
    const std::vector<std::string> lines = linesOf(dump(gen::writeK100(ev)));

    const std::vector<std::string> head = {"K100-file",
                                           "sens exp = 2",
                                           "sens man = 500",
                                           "sens = 50",
                                           "loHi = 0",
                                           "real_sens = sens*10 = 500",
                                           "scale = 1/real_sens = 0.002",
                                           "regLengthIndex = 0",
                                           "pretrig = 0.1",
                                           "nSecPerChannel = 1",
                                           "nSamplesPerChannel = 2000",
                                           "frq = 2000",
                                           "nSecPerChannel = 1",
                                           "",
                                           "time\tint\tscaled"};
    ASSERT_EQ(lines.size(), head.size() + 2000);
    EXPECT_EQ(std::vector<std::string>(lines.begin(),
                                       lines.begin() + static_cast<std::ptrdiff_t>(head.size())),
              head);
    const std::size_t s = head.size();
    EXPECT_EQ(lines[s + 0], "-0.10000\t250\t0.5000");
    EXPECT_EQ(lines[s + 1], "-0.09950\t-500\t-1.0000");
    EXPECT_EQ(lines[s + 2], "-0.09900\t0\t0.0000");
    EXPECT_EQ(lines[s + 3], "-0.09850\t32767\t65.5340");
    EXPECT_EQ(lines[s + 4], "-0.09800\t-32768\t-65.5360");
    EXPECT_EQ(lines[s + 5], "-0.09750\t0\t0.0000");  // past the samples held
    EXPECT_EQ(lines.back(), "0.89950\t0\t0.0000");
    EXPECT_EQ(m_informed, std::vector<std::string>{kConvertingChannelMessage});
}

TEST_F(K100ChannelDumpTest, LowGainHasNoRealSensitivityLine) {
    gen::K100Event ev;
    ev.header.channels[0] = {1, 2, 0x0125, 100, 1};  // 125 / 1000 = 0.125
    ev.samples[0] = {1, -3};
    const std::vector<std::string> lines = linesOf(dump(gen::writeK100(ev)));
    ASSERT_GT(lines.size(), 15u);
    EXPECT_EQ(lines[1], "sens exp = 0");
    EXPECT_EQ(lines[2], "sens man = 125");
    EXPECT_EQ(lines[3], "sens = 0.125");
    EXPECT_EQ(lines[4], "loHi = 1");
    EXPECT_EQ(lines[5], "scale = 1/real_sens = 8");
    EXPECT_EQ(lines[6], "regLengthIndex = 0");
    EXPECT_EQ(lines[13], "time\tint\tscaled");
    EXPECT_EQ(lines[14], "-0.10000\t1\t8.0000");
    EXPECT_EQ(lines[15], "-0.09950\t-3\t-24.0000");
    EXPECT_EQ(lines.size(), 14u + 2000u);
}

class K100ChannelDumpLengths : public K100ChannelDumpTest,
                               public ::testing::WithParamInterface<int> {};

TEST_P(K100ChannelDumpLengths, RecordLengthOfTheIndex) {
    const int index = GetParam();
    const gen::RecordLength row = *gen::k100RecordLength(index);
    gen::K100Event ev;
    ev.header.regLengthIndex = static_cast<std::uint8_t>(index);
    const std::vector<std::string> lines = linesOf(dump(gen::writeK100(ev)));
    auto text = [](double x) {
        std::ostringstream s;
        s << x;
        return s.str();
    };
    ASSERT_EQ(lines.size(), 15u + static_cast<std::size_t>(row.nSamplesPerChannel));
    EXPECT_EQ(lines[7], "regLengthIndex = " + std::to_string(index));
    EXPECT_EQ(lines[8], "pretrig = " + text(row.pretrigS));
    EXPECT_EQ(lines[9], "nSecPerChannel = " + text(row.nSecPerChannel));
    EXPECT_EQ(lines[10], "nSamplesPerChannel = " + std::to_string(row.nSamplesPerChannel));
    EXPECT_EQ(lines[11], "frq = " + text(row.frqHz));
    EXPECT_EQ(lines[12], lines[9]);
    char first[32];  // the first sample lies at -pretrig
    std::snprintf(first, sizeof first, "%.5f\t", -row.pretrigS);
    EXPECT_EQ(lines[15].rfind(first, 0), 0u) << lines[15];
}

INSTANTIATE_TEST_SUITE_P(K100ChannelDump, K100ChannelDumpLengths, ::testing::Range(0, 5),
                         [](const auto& info) {
                             return "regLengthIndex" + std::to_string(info.param);
                         });

TEST_F(K100ChannelDumpTest, K200FileIsRefusedBeforeAnythingElse) {
    gen::K200Event ev;
    EXPECT_EQ(refusal(gen::writeK200(ev)),
              std::vector<std::string>{"function not yet implemented for K200-files"});
    EXPECT_TRUE(m_informed.empty());
}

TEST_F(K100ChannelDumpTest, OtherTagsAreABadFiletype) {
    std::vector<std::uint8_t> junk(600, 0);
    const std::string tag = "ABCDEFGH";
    std::copy(tag.begin(), tag.end(), junk.begin());
    EXPECT_EQ(refusal(junk), std::vector<std::string>{"bad filetype: ABCDEFGH"});
    EXPECT_EQ(refusal(gen::writeTremolog(gen::TremologEvent{})),
              std::vector<std::string>{"bad filetype: TREMOLOG"});
    EXPECT_EQ(refusal({'K', 'R', 'N'}), std::vector<std::string>{"bad filetype: KRN"});
    EXPECT_TRUE(m_informed.empty());
}

TEST_F(K100ChannelDumpTest, UnknownRecordLengthIsRefused) {
    gen::K100Event ev;
    ev.header.regLengthIndex = 5;
    EXPECT_EQ(refusal(gen::writeK100(ev)),
              std::vector<std::string>{"readDatafile: no such reglength"});
    EXPECT_EQ(m_informed.size(), 1u);
}

TEST_F(K100ChannelDumpTest, BrokenHeaderFieldsAreErrors) {
    auto errorNumber = [&](const gen::K100Event& ev) {
        try {
            dump(gen::writeK100(ev));
        } catch (const ReadRejected&) {
            return -1;
        } catch (const Error& e) {
            return e.number();
        }
        return 0;
    };
    gen::K100Event nonBcd;
    nonBcd.header.channels[0].sensitivityField = 0x25A0;
    EXPECT_EQ(errorNumber(nonBcd), kErrProgram);
    try {
        dump(gen::writeK100(nonBcd));
    } catch (const Error& e) {
        EXPECT_EQ(e.text(), "file corrupt");
    }
    gen::K100Event zero;
    zero.header.channels[0].sensitivityField = 0x3000;
    EXPECT_EQ(errorNumber(zero), kErrDivisionByZero);
    gen::K100Event badSerial;
    badSerial.header.rawInstrumentSN = 0x12F4;
    EXPECT_EQ(errorNumber(badSerial), kErrTypeMismatch);
    // Only slot 0 is checked: a broken sensitivity elsewhere does not matter.
    gen::K100Event otherSlot;
    otherSlot.header.channels[2].sensitivityField = 0xFFFF;
    EXPECT_EQ(errorNumber(otherSlot), 0);
    EXPECT_THROW(k100ChannelDump(m_dir.path() / "missing.001"), Error);
}

}  // namespace
}  // namespace krnz
