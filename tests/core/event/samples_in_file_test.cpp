// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>

#include "core/event/byte_source.h"
#include "core/event/event_reader.h"
#include "core/event/reader_common.h"
#include "core/event/samples_in_file.h"
#include "core/settings/text_lookup.h"
#include "k100_writer.h"
#include "k200_writer.h"
#include "support/event_builder.h"
#include "support/param_name.h"
#include "support/temp_dir.h"
#include "tremolog_writer.h"

namespace krnz {
namespace {

namespace gen = eventgen;

std::vector<std::int16_t> counting(int n, int from) {
    std::vector<std::int16_t> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(from + i);
    return v;
}

// K100, record length 0: 2000 samples per channel, frames of four 2-byte samples from 512.
constexpr std::size_t kK100Frames = 512;
std::vector<std::uint8_t> k100File() {
    gen::K100Event ev;
    ev.header.regLengthIndex = 0;
    for (int c = 0; c < 4; ++c) ev.samples[c] = counting(2000, 100 + c);
    return gen::writeK100(ev);
}

// K200, record length 0: 5000 samples per channel in blocks of 10240 bytes, one channel after
// the other, so each block ends in 240 bytes of padding.
constexpr std::size_t kK200Block = 10240;
gen::K200Event k200Event() {
    gen::K200Event ev;
    ev.header.regLengthIndex = 0;
    for (int k = 0; k < 8; ++k) ev.samples[k] = counting(5000, 1100 + k);
    return ev;
}
std::size_t k200Channel(int k, int group = 1) {
    return gen::k200DataStart(k200Event().header, group) + (k - (group - 1) * 4) * kK200Block;
}

// Tremolog: 2000 samples per channel, frames of four 2-byte samples from D.
gen::TremologEvent tremologEvent(gen::TextPlacement placement) {
    gen::TremologEvent ev;
    ev.header.textPlacement = placement;
    for (int c = 0; c < 4; ++c) ev.samples[c] = counting(2000, 10 + c);
    return ev;
}
std::size_t tremologData(gen::TextPlacement placement) {
    return gen::tremologOffsets(tremologEvent(placement)).data;
}

struct Cut {
    const char* name;
    std::function<std::vector<std::uint8_t>()> file;
    int group;
    // Bytes kept; the whole file when 0.
    std::function<std::size_t()> keep;
    std::int32_t n;
    std::int32_t held;
};

const std::function<std::vector<std::uint8_t>()> kK100 = k100File;
const std::function<std::vector<std::uint8_t>()> kK200 = [] { return gen::writeK200(k200Event()); };
const std::function<std::vector<std::uint8_t>()> kTremologBefore = [] {
    return gen::writeTremolog(tremologEvent(gen::TextPlacement::BeforeSamples));
};
const std::function<std::vector<std::uint8_t>()> kTremologAfter = [] {
    return gen::writeTremolog(tremologEvent(gen::TextPlacement::AfterSamples));
};
std::function<std::size_t()> bytes(std::size_t n) {
    return [n] { return n; };
}

class SamplesInFile : public ::testing::TestWithParam<Cut> {
  protected:
    test::TempDir m_dir;
};

TEST_P(SamplesInFile, CountsTheLeadingSamplesTheFileHolds) {
    const Cut& cut = GetParam();
    const std::vector<std::uint8_t> whole = cut.file();
    std::vector<std::uint8_t> file = whole;
    const std::size_t keep = cut.keep();
    if (keep > 0) {
        ASSERT_LT(keep, whole.size());
        file.resize(keep);
    }
    const ReadOptions options{cut.group, std::nullopt};
    const SampleRecord cutRead = readDatafile(m_dir.write("cut.evt", file), options).event.sample;
    const SampleRecord wholeRead =
        readDatafile(m_dir.write("whole.evt", whole), options).event.sample;
    ASSERT_EQ(cutRead.nSamplesPerChannel, cut.n);
    EXPECT_EQ(samplesInFile(cutRead), cut.held);
    EXPECT_EQ(isTruncated(cutRead), cut.held < cut.n);
    EXPECT_EQ(samplesInFile(wholeRead), cut.n);
    // The leading samples are the file's own in every slot, and no more: some slot reads 0
    // from the sample after the next on (the next may be read in part) where the whole file
    // holds more.
    bool someSlotEnds = cut.held >= cut.n - 1;  // then no sample lies wholly past the cut
    for (int c = 0; c < kSlots; ++c) {
        for (std::int32_t i = 0; i < cut.held; ++i)
            ASSERT_EQ(cutRead.sampleData(c, i), wholeRead.sampleData(c, i)) << c << " " << i;
        bool ends = cut.held + 1 < cut.n;
        for (std::int32_t i = cut.held + 1; i < cut.n && ends; ++i)
            ends = cutRead.sampleData(c, i) == 0.0f && wholeRead.sampleData(c, i) != 0.0f;
        someSlotEnds = someSlotEnds || ends;
    }
    EXPECT_TRUE(someSlotEnds);
}

// Every kind of end: a whole file, header only, and a cut exactly at, one byte before and one
// byte after the edge of a frame (interleaved layouts) or of a sample in the last block read
// (K200, whose later channels end first).
INSTANTIATE_TEST_SUITE_P(
    Layouts, SamplesInFile,
    ::testing::Values(
        Cut{"K100 whole", kK100, 1, bytes(0), 2000, 2000},
        Cut{"K100 header only", kK100, 1, bytes(kK100Frames), 2000, 0},
        Cut{"K100 inside the header", kK100, 1, bytes(300), 2000, 0},
        Cut{"K100 at a frame edge", kK100, 1, bytes(kK100Frames + 700 * 8), 2000, 700},
        Cut{"K100 a byte before", kK100, 1, bytes(kK100Frames + 700 * 8 - 1), 2000, 699},
        Cut{"K100 a byte after", kK100, 1, bytes(kK100Frames + 700 * 8 + 1), 2000, 700},
        Cut{"K100 in the last frame", kK100, 1, bytes(kK100Frames + 2000 * 8 - 2), 2000, 1999},
        Cut{"K200 whole", kK200, 1, bytes(0), 5000, 5000},
        Cut{"K200 header only", kK200, 1, bytes(512), 5000, 0},
        Cut{"K200 at a sample edge of slot 3", kK200, 1, [] { return k200Channel(3) + 1234 * 2; },
            5000, 1234},
        Cut{"K200 a byte before", kK200, 1, [] { return k200Channel(3) + 1234 * 2 - 1; }, 5000,
            1233},
        Cut{"K200 a byte after", kK200, 1, [] { return k200Channel(3) + 1234 * 2 + 1; }, 5000,
            1234},
        Cut{"K200 in slot 2 leaves slot 3 empty", kK200, 1,
            [] { return k200Channel(2) + 4000 * 2; }, 5000, 0},
        Cut{"K200 in the padding after slot 3", kK200, 1,
            [] { return k200Channel(3) + 5000 * 2 + 10; }, 5000, 5000},
        Cut{"K200 channels 5 to 8 cut off, group 1", kK200, 1, [] { return k200Channel(4); }, 5000,
            5000},
        Cut{"K200 channels 5 to 8 cut off, group 2", kK200, 2, [] { return k200Channel(4); }, 5000,
            0},
        Cut{"K200 group 2 at a sample edge of channel 8", kK200, 2,
            [] { return k200Channel(7, 2) + 321 * 2; }, 5000, 321},
        Cut{"Tremolog whole", kTremologBefore, 1, bytes(0), 2000, 2000},
        Cut{"Tremolog header only", kTremologBefore, 1,
            [] { return tremologData(gen::TextPlacement::BeforeSamples); }, 2000, 0},
        Cut{"Tremolog at a frame edge", kTremologBefore, 1,
            [] { return tremologData(gen::TextPlacement::BeforeSamples) + 700 * 8; }, 2000, 700},
        Cut{"Tremolog a byte before", kTremologBefore, 1,
            [] { return tremologData(gen::TextPlacement::BeforeSamples) + 700 * 8 - 1; }, 2000,
            699},
        Cut{"Tremolog a byte after", kTremologBefore, 1,
            [] { return tremologData(gen::TextPlacement::BeforeSamples) + 700 * 8 + 1; }, 2000,
            700},
        Cut{"Tremolog texts after the samples cut off", kTremologAfter, 1,
            [] { return tremologData(gen::TextPlacement::AfterSamples) + 2000 * 8; }, 2000, 2000},
        Cut{"Tremolog texts after, the last frame cut", kTremologAfter, 1,
            [] { return tremologData(gen::TextPlacement::AfterSamples) + 2000 * 8 - 3; }, 2000,
            1999}),
    [](const ::testing::TestParamInfo<Cut>& info) { return test::nameOf(info.param.name); });

// A file cut while it is read (a copy still being written, a card pulled) ends where a read
// finds it ending, not where it ended when opened.
TEST(SamplesInFileOfAShrinkingFile, CountsWhatTheReadFound) {
    test::TempDir dir;
    const std::filesystem::path file = dir.write("KRN00001.001", k100File());
    ByteSource source(file);
    ASSERT_EQ(source.size(), kK100Frames + 2000 * 8);
    std::filesystem::resize_file(file, kK100Frames + 300 * 8 + 5);
    std::vector<std::int16_t> samples(2000 * 4);
    source.i16Array(kK100Frames, samples);
    EXPECT_EQ(source.size(), kK100Frames + 300 * 8 + 5);
    EXPECT_EQ(framesHeld(source.size(), kK100Frames, 8, 2000), 300);
    EXPECT_EQ(samples[300 * 4 + 3], 0);  // past the new end
    EXPECT_NE(samples[299 * 4 + 3], 0);
}

TEST(TruncationNotice, NamesTheSamplesHeldWithThousandsSeparators) {
    Event e = test::emptyEvent(8000, 0.001, test::kAllMmPerS);
    EXPECT_EQ(truncationNotice(e.sample, builtinEnglish()), "");  // not read from a file
    e.sample.samplesInFile = 8000;
    EXPECT_EQ(truncationNotice(e.sample, builtinEnglish()), "");
    e.sample.samplesInFile = 2000;
    EXPECT_EQ(truncationNotice(e.sample, builtinEnglish()),
              "file holds 2,000 of 8,000 samples per channel; the rest is shown as 0");
    e.sample.samplesInFile = 0;
    EXPECT_EQ(truncationNotice(e.sample, builtinEnglish()),
              "file holds 0 of 8,000 samples per channel; the rest is shown as 0");
}

TEST(TruncationNotice, GroupsOfThree) {
    const std::vector<std::pair<std::int64_t, std::string>> cases = {{0, "0"},
                                                                     {7, "7"},
                                                                     {999, "999"},
                                                                     {1000, "1,000"},
                                                                     {12345, "12,345"},
                                                                     {100000, "100,000"},
                                                                     {1234567, "1,234,567"},
                                                                     {-1000, "-1,000"},
                                                                     {-999, "-999"},
                                                                     {2147483647, "2,147,483,647"}};
    for (const auto& [n, text] : cases) EXPECT_EQ(groupThousands(n), text) << n;
}

}  // namespace
}  // namespace krnz
