// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/event_export.h"

#include <gtest/gtest.h>
#include <libmseed.h>

#include <algorithm>
#include <bit>
#include <map>
#include <string>
#include <vector>

#include "core/analysis/batch_chain.h"
#include "core/common/error.h"
#include "core/report/page_header.h"
#include "core/settings/text_lookup.h"
#include "k200_writer.h"
#include "realistic_events.h"
#include "support/temp_dir.h"

namespace krnz {
namespace {

struct Trace {
    std::string network, station, location;
    hptime_t start = 0;
    double rate = 0.0;
    std::vector<float> samples;
};

// The records read back by libmseed's own parser, which also checks every header it reads.
std::map<std::string, Trace> readBack(std::string bytes) {
    std::map<std::string, Trace> traces;
    EXPECT_EQ(bytes.size() % 4096, 0u);
    for (std::size_t at = 0; at < bytes.size(); at += 4096) {
        MSRecord* msr = nullptr;
        const int status = msr_parse(bytes.data() + at, 4096, &msr, 4096, 1, 0);
        EXPECT_EQ(status, MS_NOERROR);
        if (status != MS_NOERROR) return traces;
        EXPECT_EQ(msr->reclen, 4096);
        EXPECT_EQ(msr->encoding, DE_FLOAT32);
        Trace& t = traces[msr->channel];
        if (t.samples.empty()) {
            t = {msr->network, msr->station, msr->location, msr->starttime, msr->samprate, {}};
        } else {
            // Each record starts where the one before it ended.
            const double expected = static_cast<double>(t.start) +
                                    static_cast<double>(t.samples.size()) * HPTMODULUS / t.rate;
            EXPECT_NEAR(static_cast<double>(msr->starttime), expected, 1.0);
        }
        const auto* s = static_cast<const float*>(msr->datasamples);
        t.samples.insert(t.samples.end(), s, s + msr->numsamples);
        msr_free(&msr);
    }
    return traces;
}

class ExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const test::TempDir dir;
        const auto file =
            dir.write("KRN00206.001", eventgen::writeK200(eventgen::makeRealisticK200(1, 11)));
        workspace.open(file);
    }
    Workspace workspace{builtinEnglish()};
};

TEST_F(ExportTest, MiniSeedReadsBackBitForBitWithItsCodesAndStart) {
    const std::map<std::string, Trace> traces = readBack(miniSeedExport(workspace));
    const SampleRecord& rec = workspace.event().sample;
    ASSERT_EQ(traces.size(), 4u);
    const std::map<std::string, int> slots{{"HHZ", 0}, {"HHN", 1}, {"HHE", 2}, {"HDF", 3}};
    for (const auto& [channel, slot] : slots) {
        SCOPED_TRACE(channel);
        ASSERT_TRUE(traces.contains(channel));
        const Trace& t = traces.at(channel);
        EXPECT_EQ(t.network, "XX");
        EXPECT_EQ(t.station, std::to_string(rec.instrumentSN));
        EXPECT_EQ(t.location, "");
        EXPECT_EQ(t.rate, rec.frq);
        const std::span<const float> row = rec.sampleData.row(slot);
        ASSERT_EQ(t.samples.size(), row.size());
        for (std::size_t i = 0; i < row.size(); ++i)
            ASSERT_EQ(std::bit_cast<std::uint32_t>(t.samples[i]),
                      std::bit_cast<std::uint32_t>(row[i]))
                << i;
        // The first sample lies the pretrigger before the event's time, to the microsecond.
        const report::EventDate date = report::eventDate(rec);
        int doy = 0;
        ms_md2doy(date.year, date.month, date.day, &doy);
        const hptime_t trigger =
            ms_time2hptime(date.year, doy, rec.hour, rec.minute, rec.second, 0);
        EXPECT_EQ(trigger - t.start, static_cast<hptime_t>(std::llround(rec.pretrig * 1e6)));
    }
}

// The codes come from the general settings file; what is not a code keeps the default.
TEST_F(ExportTest, SeedCodesFromTheSettingsFile) {
    const test::TempDir dir;
    const auto codesOf = [&](const std::string& section) {
        const std::string text = "[export]\r\n" + section;
        return readSeedCodes(dir.write(
            "krnz.ini", {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}));
    };
    const SeedCodes set = codesOf("seedNetwork=KR\r\nseedLocation=00\r\nseedGeophoneAxes=ENZ\r\n");
    EXPECT_EQ(set.network, "KR");
    EXPECT_EQ(set.location, "00");
    EXPECT_EQ(set.geophoneAxes, "ENZ");
    const std::map<std::string, Trace> traces = readBack(miniSeedExport(workspace, set));
    for (const char* channel : {"HHE", "HHN", "HHZ", "HDF"}) {
        ASSERT_TRUE(traces.contains(channel)) << channel;
        EXPECT_EQ(traces.at(channel).network, "KR");
        EXPECT_EQ(traces.at(channel).location, "00");
    }
    // Slot 0 now carries the E axis.
    const std::span<const float> row0 = workspace.event().sample.sampleData.row(0);
    EXPECT_TRUE(std::equal(row0.begin(), row0.end(), traces.at("HHE").samples.begin()));

    const SeedCodes defaults;
    for (const std::string& bad :
         {std::string("seedNetwork=KRN\r\n"), std::string("seedNetwork=k1\r\n"),
          std::string("seedNetwork=\r\n"), std::string("seedLocation=A B\r\n"),
          std::string("seedGeophoneAxes=ZZE\r\n"), std::string("seedGeophoneAxes=ZN\r\n"),
          std::string("seedGeophoneAxes=ZNX\r\n")}) {
        const SeedCodes got = codesOf(bad);
        EXPECT_EQ(got.network, defaults.network) << bad;
        EXPECT_EQ(got.location, defaults.location) << bad;
        EXPECT_EQ(got.geophoneAxes, defaults.geophoneAxes) << bad;
    }
    EXPECT_EQ(readSeedCodes(dir.path() / "no-such.ini").network, defaults.network);
}

TEST_F(ExportTest, OnlyShownChannelsAreExported) {
    settings::Options options = workspace.options();
    options.slotOptions[1].channelOn = settings::CheckState::Unchecked;
    workspace.setOptions(options);
    const std::vector<ExportChannel> channels = exportChannels(workspace);
    ASSERT_EQ(channels.size(), 3u);
    EXPECT_EQ(channels[1].slot, 2);
    EXPECT_EQ(channels[1].seedChannel, "HHN");  // the second geophone shown
    EXPECT_EQ(readBack(miniSeedExport(workspace)).size(), 3u);
    const std::string csv = csvExport(workspace);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "time,Geo 1 [mm/s],Geo 3 [mm/s],AC 4 [Pa]");
    for (auto& slot : options.slotOptions) slot.channelOn = settings::CheckState::Unchecked;
    workspace.setOptions(options);
    EXPECT_THROW(csvExport(workspace), Error);
    EXPECT_THROW(wav4Export(workspace), Error);
}

TEST_F(ExportTest, AProcessedEventExportsTheChainsRowsAndUnits) {
    analysis::BatchChainOptions chain;
    chain.macroFile =
        std::filesystem::path(KRNZ_SOURCE_DIR) / "data" / "macro" / "velocity-to-displacement";
    class Quiet final : public analysis::Reporter {
        void message(const std::string&) override {}
    } reporter;
    ASSERT_TRUE(workspace.runChain(chain, reporter));
    const std::string csv = csvExport(workspace);
    EXPECT_NE(csv.substr(0, csv.find('\n')).find("[µm]"), std::string::npos) << csv.substr(0, 80);
    const std::map<std::string, Trace> traces = readBack(miniSeedExport(workspace));
    const std::span<const float> row = workspace.event().sample.sampleData.row(0);
    EXPECT_TRUE(std::equal(row.begin(), row.end(), traces.at("HHZ").samples.begin()));
    EXPECT_NE(miniSeedSidecar(workspace).find("\"processed\":true"), std::string::npos);
}

}  // namespace
}  // namespace krnz
