// SPDX-License-Identifier: GPL-3.0-or-later
// A device that fails part-way through an event file (EIO) turns the reading down cleanly,
// naming the file, wherever the failure lies: in the tag, the header, the reference blocks or
// the samples. A file that merely ends early is not such a failure: its missing samples read as
// 0, as they always have.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/event/byte_source.h"
#include "core/event/event_reader.h"
#include "core/workspace/event_summary.h"
#include "core/workspace/workspace.h"
#include "k100_writer.h"
#include "k200_writer.h"
#include "realistic_events.h"
#include "support/temp_dir.h"
#include "tremolog_writer.h"

namespace krnz {
namespace {

namespace fs = std::filesystem;
namespace gen = eventgen;

// Every read of an event file reaching `firstBadByte` or beyond fails while the object lives.
class BadSectorFrom {
  public:
    explicit BadSectorFrom(std::uint64_t firstBadByte) {
        detail::setReadFaultForTesting(firstBadByte);
    }
    ~BadSectorFrom() { detail::setReadFaultForTesting(std::nullopt); }
    BadSectorFrom(const BadSectorFrom&) = delete;
    BadSectorFrom& operator=(const BadSectorFrom&) = delete;
};

// One layout's file and where in it the reading of one channel group looks.
struct Layout {
    const char* name;
    std::vector<std::uint8_t> bytes;
    int group = 1;
    std::uint64_t samplesStart = 0;  // first sample byte the group reads
    std::uint64_t samplesEnd = 0;    // one past the last
};

Layout k100() {
    const gen::K100Event event = gen::makeRealisticK100(0, 7);
    const std::uint64_t n = event.samples[0].size();
    return {"K100", gen::writeK100(event), 1, 512, 512 + 8 * n};
}

Layout k200(int group) {
    const gen::K200Event event = gen::makeRealisticK200(0, 7);
    const std::uint64_t first = gen::k200DataStart(event.header, 1);
    const std::uint64_t block = (gen::k200DataStart(event.header, 2) - first) / 4;
    const std::uint64_t start = gen::k200DataStart(event.header, group);
    const std::uint64_t n = event.samples[0].size();
    // Channel by channel, each at the head of its block: the last read ends in the fourth.
    return {group == 1 ? "K200_group1" : "K200_group2", gen::writeK200(event), group, start,
            start + 3 * block + 2 * n};
}

Layout tremolog() {
    const gen::TremologEvent event = gen::makeRealisticTremolog(1000, 3000, 7);
    const gen::TremologOffsets at = gen::tremologOffsets(event);
    return {"Tremolog", gen::writeTremolog(event), 1, at.data, at.data + 8 * 3000};
}

void PrintTo(const Layout& layout, std::ostream* os) {
    *os << layout.name;
}

std::vector<Layout> layouts() {
    return {k100(), k200(1), k200(2), tremolog()};
}

// Offsets across everything the group's reading touches: the tag, header fields, the first
// and the last sample byte and the middle of the samples (an odd offset: half a sample).
std::vector<std::uint64_t> faultOffsets(const Layout& layout) {
    const std::uint64_t middle = (layout.samplesStart + layout.samplesEnd) / 2 | 1;
    return {0,
            4,
            7,
            44,
            100,
            layout.samplesStart - 1,
            layout.samplesStart,
            layout.samplesStart + 1,
            middle,
            layout.samplesEnd - 2,
            layout.samplesEnd - 1};
}

class ReadFault : public ::testing::TestWithParam<Layout> {
  protected:
    ReadOptions options() const { return ReadOptions{GetParam().group, std::nullopt}; }
};

TEST_P(ReadFault, AnywhereInTheReadIsACleanRefusalNamingTheFile) {
    const Layout& layout = GetParam();
    test::TempDir dir;
    const fs::path file = dir.write("event.bin", layout.bytes);
    for (const std::uint64_t at : faultOffsets(layout)) {
        SCOPED_TRACE("first bad byte " + std::to_string(at));
        BadSectorFrom fault(at);
        try {
            readDatafile(file, options());
            ADD_FAILURE() << "read despite the failing device";
        } catch (const ReadFailed& e) {
            EXPECT_EQ(e.number(), kErrDeviceIo);
            EXPECT_NE(e.text().find(file.string()), std::string::npos) << e.text();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "not a read failure: " << e.what();
        }
    }
}

TEST_P(ReadFault, BeyondWhatIsReadChangesNothing) {
    const Layout& layout = GetParam();
    test::TempDir dir;
    const fs::path file = dir.write("event.bin", layout.bytes);
    const LoadedEvent whole = readDatafile(file, options());
    // The bad place lies after the last byte the reading needs (for a K200 group 1 the second
    // group's blocks, for the others the file's end).
    const std::uint64_t past = layout.group == 1 && std::string(layout.name) != "Tremolog"
                                   ? layout.samplesEnd
                                   : layout.bytes.size();
    BadSectorFrom fault(past);
    const LoadedEvent again = readDatafile(file, options());
    for (int c = 0; c < kSlots; ++c) {
        const auto a = whole.event.sample.sampleData.row(c);
        const auto b = again.event.sample.sampleData.row(c);
        EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end())) << "slot " << c;
    }
}

TEST_P(ReadFault, AFileCutShortStillReadsWithZerosForWhatItLacks) {
    const Layout& layout = GetParam();
    test::TempDir dir;
    const fs::path file = dir.write("event.bin", layout.bytes);
    const LoadedEvent whole = readDatafile(file, options());
    // Cut in the middle of the first channel's samples (K200) or of the interleaved steps.
    std::vector<std::uint8_t> cut = layout.bytes;
    const std::uint64_t keep = layout.samplesStart + 1000;
    cut.resize(keep);
    const fs::path shorter = dir.write("cut.bin", cut);
    const LoadedEvent read = readDatafile(shorter, options());
    const std::int32_t n = read.event.sample.nSamplesPerChannel;
    ASSERT_EQ(n, whole.event.sample.nSamplesPerChannel);
    const bool interleaved =
        std::string(layout.name) == "K100" || std::string(layout.name) == "Tremolog";
    // Whole samples held: 1000 bytes are 125 interleaved steps of four, or 500 of one channel.
    const std::int32_t held = interleaved ? 125 : 500;
    const auto before = whole.event.sample.sampleData.row(0);
    const auto after = read.event.sample.sampleData.row(0);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + held, after.begin()));
    for (std::int32_t i = held; i < n; ++i) ASSERT_EQ(after[i], 0.0f) << "sample " << i;
    // The file's end is not a bad sector either: a fault just past it touches nothing.
    BadSectorFrom fault(keep);
    EXPECT_NO_THROW(readDatafile(shorter, options()));
}

// A file that shrinks after it was opened (cut while a batch reads it) is a short file, not a
// failing device: what it no longer holds reads as 0.
TEST(ReadFaultOnOpen, AFileCutAfterItWasOpenedReadsAsShort) {
    test::TempDir dir;
    const fs::path file = dir.write("event.bin", std::vector<std::uint8_t>(4096, 0x5A));
    ByteSource source(file);
    fs::resize_file(file, 1000);
    std::vector<std::uint8_t> out(200, 0xFF);
    EXPECT_NO_THROW(source.readAt(900, out));
    EXPECT_TRUE(std::all_of(out.begin(), out.begin() + 100, [](auto b) { return b == 0x5A; }));
    EXPECT_TRUE(std::all_of(out.begin() + 100, out.end(), [](auto b) { return b == 0; }));
    EXPECT_NO_THROW(source.readAt(3000, out));
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](auto b) { return b == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Layouts, ReadFault, ::testing::ValuesIn(layouts()),
                         [](const auto& info) { return std::string(info.param.name); });

// What the program does with such a failure: the event shown stays, the batch row says why.
TEST(ReadFaultOnOpen, KeepsTheEventShownAndGivesTheBatchRowItsMessage) {
    test::TempDir dir;
    const fs::path shown = dir.write("KRN00001.001", gen::writeK100(gen::makeRealisticK100(0, 1)));
    const fs::path failing =
        dir.write("KRN00002.001", gen::writeK100(gen::makeRealisticK100(0, 2)));
    Workspace workspace(builtinEnglish());
    workspace.open(shown);
    const std::vector<float> rowBefore(workspace.event().sample.sampleData.row(1).begin(),
                                       workspace.event().sample.sampleData.row(1).end());
    {
        BadSectorFrom fault(4000);
        EXPECT_THROW(workspace.open(failing), ReadFailed);
        const std::vector<EventSummary> rows = summariseEventFile(failing, SummaryChoices{});
        ASSERT_EQ(rows.size(), 1u);
        ASSERT_TRUE(rows[0].error);
        EXPECT_NE(rows[0].error->find(failing.string()), std::string::npos) << *rows[0].error;
        EXPECT_EQ(rows[0].file, failing);
    }
    EXPECT_EQ(workspace.file(), shown);
    const auto rowAfter = workspace.event().sample.sampleData.row(1);
    EXPECT_TRUE(std::equal(rowBefore.begin(), rowBefore.end(), rowAfter.begin(), rowAfter.end()));
}

}  // namespace
}  // namespace krnz
