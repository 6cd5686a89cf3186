// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include "core/analysis/wav_writer.h"
#include "core/common/error.h"
#include "core/settings/atomic_file.h"
#include "support/event_builder.h"
#include "support/temp_dir.h"

namespace krnz::analysis {
namespace {

namespace fs = std::filesystem;

std::uint32_t le32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

std::uint16_t le16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      (static_cast<unsigned char>(b[at + 1]) << 8));
}

std::vector<std::int16_t> samplesOf(const std::string& wav) {
    std::vector<std::int16_t> out;
    for (std::size_t at = kWavHeaderBytes; at + 1 < wav.size(); at += 2)
        out.push_back(static_cast<std::int16_t>(le16(wav, at)));
    return out;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct FailingRename {
    FailingRename() {
        settings::detail::setRenameStepForTesting(
            [](const fs::path&, const fs::path&, std::error_code& e) {
                e = std::make_error_code(std::errc::io_error);
            });
    }
    ~FailingRename() { settings::detail::setRenameStepForTesting({}); }
};

TEST(WavWriter, HeaderOfOneSecondAt1024Hz) {
    std::vector<float> row(1024);
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = static_cast<float>(std::sin(0.05 * static_cast<double>(i)));
    const Event e = test::makeEvent({{}, row}, 1.0 / 1024);
    const std::string wav = slotWavBytes(e.sample, 1);

    ASSERT_EQ(wav.size(), 44u + 2048u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(le32(wav, 4), 36u + 2048u);
    EXPECT_EQ(wav.substr(8, 4), "WAVE");
    EXPECT_EQ(wav.substr(12, 4), "fmt ");
    EXPECT_EQ(le32(wav, 16), 16u);
    EXPECT_EQ(le16(wav, 20), 1u);  // PCM
    EXPECT_EQ(le16(wav, 22), 1u);  // mono
    EXPECT_EQ(le32(wav, 24), 1024u);
    EXPECT_EQ(le32(wav, 28), 2048u);
    EXPECT_EQ(le16(wav, 32), 2u);
    EXPECT_EQ(le16(wav, 34), 16u);
    EXPECT_EQ(wav.substr(36, 4), "data");
    EXPECT_EQ(le32(wav, 40), 2048u);
    EXPECT_EQ(samplesOf(wav), playBuffer(row));
}

TEST(WavWriter, SamplesAreLittleEndianTwosComplement) {
    const std::vector<std::int16_t> samples = {-32766, 1, -1, 0x1234};
    const std::string wav = wavBytes(samples, 8000);
    EXPECT_EQ(wav.substr(44), std::string("\x02\x80\x01\x00\xff\xff\x34\x12", 8));
}

struct ScalingCase {
    const char* name;
    std::vector<float> samples;
    std::vector<std::int16_t> expected;
};

class PlayScaling : public ::testing::TestWithParam<ScalingCase> {};

TEST_P(PlayScaling, LoudestSampleMapsTo32766) {
    EXPECT_EQ(playBuffer(GetParam().samples), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    WavWriter, PlayScaling,
    ::testing::Values(
        ScalingCase{"PositivePeak", {1.0f, 0.5f, -0.25f, 0.0f}, {32766, 16383, -8192, 0}},
        // A negative peak larger than the positive one is the loudest sample.
        ScalingCase{"NegativePeak", {-2.0f, 1.0f, 0.5f, 1.5f}, {-32766, 16383, 8192, 24574}},
        // With a peak of 32766 the factor is 1, so halves stay halves: they go to the even side.
        ScalingCase{"HalvesToEven",
                    {32766.0f, 2.5f, 3.5f, -2.5f, -0.5f, 0.5f, 1.5f},
                    {32766, 2, 4, -2, 0, 0, 2}},
        ScalingCase{"OneSample", {-1e-30f}, {-32766}},
        ScalingCase{"TinyPeakNextToZero", {3e-38f, -0.0f, 1.5e-38f}, {32766, 0, 16383}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WavWriter, ChannelWithoutSignalIsRefusedClearly) {
    // Regression: an all-zero channel used to end in a division error instead of a message.
    const std::vector<std::vector<float>> silent = {{0.0f, 0.0f, 0.0f}, {-0.0f, 0.0f}, {}};
    for (const auto& row : silent) {
        try {
            playBuffer(row);
            ADD_FAILURE() << "played " << row.size() << " zeros";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), kErrProgram);
            EXPECT_EQ(e.text(), kSilentChannelMessage);
        }
    }
    const Event e = test::makeEvent({{1.0f, -1.0f}, {0.0f, 0.0f}});
    EXPECT_NO_THROW(slotWavBytes(e.sample, 0));
    EXPECT_THROW(slotWavBytes(e.sample, 1), Error);
}

TEST(WavWriter, RefusesWhatTheFileCannotHold) {
    EXPECT_THROW(playBuffer(std::vector<float>{1.0f, std::numeric_limits<float>::quiet_NaN()}),
                 Error);
    EXPECT_THROW(wavBytes(std::vector<std::int16_t>{1}, 0), Error);
    EXPECT_THROW(
        wavBytes(std::vector<std::int16_t>{1}, std::numeric_limits<std::int32_t>::max() / 2 + 1),
        Error);
    EXPECT_NO_THROW(
        wavBytes(std::vector<std::int16_t>{1}, std::numeric_limits<std::int32_t>::max() / 2));
    const Event e = test::makeEvent({{1.0f}});
    EXPECT_THROW(slotWavBytes(e.sample, 4), Error);
    EXPECT_THROW(slotWavBytes(e.sample, -1), Error);
}

TEST(WavWriter, WriteReplacesTheOldFileWholeOrNotAtAll) {
    test::TempDir dir;
    const fs::path path = dir.path() / "tmp.wav";
    const std::vector<std::int16_t> longer(5000, 7);
    const std::vector<std::int16_t> shorter = {1, -2, 3};
    ASSERT_TRUE(writeWav(longer, 2000, path));
    ASSERT_TRUE(writeWav(shorter, 500, path));
    EXPECT_EQ(readFile(path), wavBytes(shorter, 500));  // nothing of the longer file is left
    {
        FailingRename failing;
        EXPECT_FALSE(writeWav(longer, 1000, path));
    }
    EXPECT_EQ(readFile(path), wavBytes(shorter, 500));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    EXPECT_FALSE(writeWav(shorter, 1000, dir.path() / "missing" / "tmp.wav"));
}

struct ChoiceCase {
    const char* name;
    std::array<bool, kSlots> channelOn;
    std::array<bool, kSlots> offered;
    int chosen;
    bool askUser;
};

class PlayChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(PlayChoice, OffersTheCheckedChannels) {
    const ChoiceCase& c = GetParam();
    const PlayChannelChoice choice = playChannelChoice(c.channelOn);
    EXPECT_EQ(choice.offered, c.offered);
    EXPECT_EQ(choice.chosen, c.chosen);
    EXPECT_EQ(choice.askUser, c.askUser);
}

INSTANTIATE_TEST_SUITE_P(
    WavWriter, PlayChoice,
    ::testing::Values(
        ChoiceCase{"None", {false, false, false, false}, {false, false, false, false}, -1, false},
        ChoiceCase{"OnlyThird", {false, false, true, false}, {false, false, true, false}, 2, false},
        ChoiceCase{"Channels134", {true, false, true, true}, {true, false, true, true}, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WavWriter, GreyedBoxIsNotOffered) {
    settings::Options options;
    options.slotOptions[0].channelOn = settings::CheckState::Greyed;
    options.slotOptions[1].channelOn = settings::CheckState::Unchecked;
    const PlayChannelChoice choice = playChannelChoice(options);
    EXPECT_EQ(choice.offered, (std::array<bool, kSlots>{false, false, true, true}));
    EXPECT_EQ(choice.chosen, 2);
}

}  // namespace
}  // namespace krnz::analysis
