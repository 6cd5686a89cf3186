// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's --macro / --source / --interpolate path on a shipped sample event.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "chain_test_support.h"
#include "core/analysis/batch_chain.h"
#include "core/analysis/peak_interpolation.h"
#include "core/event/event_reader.h"
#include "support/temp_dir.h"

namespace krnz::analysis {
namespace {

using test::KeyTexts;
using test::RecordingReporter;
namespace fs = std::filesystem;

const fs::path kSamples = fs::path(KRNZ_SOURCE_DIR) / "data" / "samples";
const fs::path kMacros = fs::path(KRNZ_SOURCE_DIR) / "data" / "macro";

class BatchChain : public testing::Test {
  protected:
    void SetUp() override {
        loaded = readDatafile(kSamples / "KRN00412.101").event;
        for (int c = 0; c < kSlots; ++c) loaded.sample.curUnit[c] = loaded.channels[c].unit;
        event = loaded;
        ASSERT_EQ(event.channels[0].unit, 2) << "the sample event's geophones record mm/s";
    }
    std::vector<float> row(const Event& e, int r) const {
        const auto x = e.sample.sampleData.row(r);
        return {x.begin(), x.end()};
    }

    Event loaded;
    Event event;
    KeyTexts texts;
    RecordingReporter reporter;
};

TEST_F(BatchChain, ResultantMacroGivesVectorSumOfGeophones) {
    ASSERT_TRUE(runChainOnEvent(event, {kMacros / "resultant-geophones", {1, 2, 3, 4}, {}}, texts,
                                reporter));
    EXPECT_TRUE(reporter.messages.empty());
    const SampleMatrix& in = loaded.sample.sampleData;
    for (std::int32_t i = 0; i < event.sample.nSamplesPerChannel; i += 97) {
        const double expected =
            std::sqrt(double{in(0, i)} * in(0, i) + double{in(1, i)} * in(1, i) +
                      double{in(2, i)} * in(2, i));
        ASSERT_FLOAT_EQ(event.sample.sampleData(3, i), static_cast<float>(expected)) << i;
    }
    EXPECT_EQ(event.sample.curUnit[3], 2);
    EXPECT_EQ(row(event, 0), row(loaded, 0));
    EXPECT_GE(event.sample.chMin[3], 0.0f);
}

TEST_F(BatchChain, ComfortMacroSetsRmsFlags) {
    ASSERT_TRUE(
        runChainOnEvent(event, {kMacros / "comfort-din", {1, 2, 3, 4}, {}}, texts, reporter));
    for (int r = 0; r < 3; ++r) {
        EXPECT_TRUE(event.sample.rmsFlag[r]);
        EXPECT_EQ(event.sample.curUnit[r], 2);
    }
    EXPECT_FALSE(event.sample.rmsFlag[3]);
    EXPECT_EQ(row(event, 3), row(loaded, 3));
}

TEST_F(BatchChain, IntegrationMacroGivesMicrometres) {
    ASSERT_TRUE(runChainOnEvent(event, {kMacros / "velocity-to-displacement", {1, 2, 3, 4}, {}},
                                texts, reporter));
    for (int r = 0; r < 3; ++r) EXPECT_EQ(event.sample.curUnit[r], 0);
    EXPECT_EQ(event.sample.curUnit[3], loaded.channels[3].unit);
}

TEST_F(BatchChain, SourcesAndInterpolationWithoutMacro) {
    ASSERT_TRUE(runChainOnEvent(event, {std::nullopt, {2, 2, 3, 1}, {false, false, false, true}},
                                texts, reporter));
    EXPECT_EQ(row(event, 0), row(loaded, 1));
    EXPECT_EQ(row(event, 3), row(loaded, 0));
    EXPECT_EQ(event.sample.curUnit[3], loaded.channels[0].unit);
    const InterpolatedPeak peak = interpolatePeak(loaded.sample.sampleData.row(0));
    EXPECT_EQ(event.sample.chMax[3], static_cast<float>(peak.value));
    EXPECT_EQ(event.sample.chMin[3], static_cast<float>(-peak.value));
    EXPECT_EQ(event.sample.chMinIndex[3], peak.index);
    EXPECT_GE(peak.value,
              std::max(std::fabs(loaded.sample.chMax[0]), std::fabs(loaded.sample.chMin[0])));
}

TEST_F(BatchChain, BadMacroLeavesEventUntouched) {
    test::TempDir dir;
    std::ofstream(dir.path() / "old") << "[main]\nversion=2\n[op]\n0=0,\n";
    EXPECT_FALSE(runChainOnEvent(event, {dir.path() / "old", {1, 2, 3, 4}, {}}, texts, reporter));
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"<toolbox.versionError>"});
    for (int r = 0; r < kSlots; ++r) EXPECT_EQ(row(event, r), row(loaded, r));
}

}  // namespace
}  // namespace krnz::analysis
