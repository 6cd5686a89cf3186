// SPDX-License-Identifier: GPL-3.0-or-later
// What a header may make the reader allocate. A KRN record's length comes from a table (at most
// 8000 samples per channel on a K100, 25000 on a K200); a Tremolog header declares its own, and
// may promise more than its file holds (a copy cut short reads its missing samples as 0), but
// not more than twice the bytes after its data offset plus 1 MiB, four 16-bit samples a step.
// Checked on the slowest inputs the fuzzers kept (bench/data/worst_inputs, the benchmark's),
// read without a cap, as the program reads.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/event/event_reader.h"
#include "tremolog_writer.h"

namespace krnz {
namespace {

namespace fs = std::filesystem;
namespace gen = eventgen;

constexpr std::int64_t kSlackBytes = 1 << 20;

std::int64_t i32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    if (at + 4 > bytes.size()) return 0;
    return static_cast<std::int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                     (std::uint32_t{bytes[at + 3]} << 24));
}

// Most samples per channel a file of these bytes may make the reader hold.
std::int64_t allowedSamples(const std::vector<std::uint8_t>& bytes, int fileFormat) {
    if (fileFormat == kFormatK100) return 8000;
    if (fileFormat == kFormatK200) return 25000;
    const std::int64_t dataOffset = i32At(bytes, 158);
    const std::int64_t size = static_cast<std::int64_t>(bytes.size());
    const std::int64_t held = size > dataOffset ? size - dataOffset : 0;
    return (2 * held + kSlackBytes) / 8;
}

std::vector<std::uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DeclaredLength, TheSlowestKeptInputsHoldNoMoreThanTheirFilesAllow) {
    const fs::path folder =
        fs::path(KRNZ_SOURCE_DIR) / "bench" / "data" / "worst_inputs" / "event_reader";
    int inputs = 0, read = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::vector<std::uint8_t> bytes = fileBytes(entry.path());
        ++inputs;
        for (int group = 1; group <= 2; ++group) {
            SCOPED_TRACE(entry.path().filename().string() + " group " + std::to_string(group));
            try {
                const LoadedEvent loaded = readEventBytes(bytes, {group, std::nullopt});
                const SampleRecord& rec = loaded.event.sample;
                ++read;
                EXPECT_EQ(rec.sampleData.samplesPerRow(), rec.nSamplesPerChannel);
                EXPECT_LE(rec.nSamplesPerChannel, allowedSamples(bytes, rec.fileFormat));
            } catch (const Error&) {
                // Refused: nothing held.
            }
        }
    }
    EXPECT_GE(inputs, 3);
    EXPECT_GT(read, 0);  // the bound is checked on events read, not only on refusals
}

// The rule's own edge: a small Tremolog file declaring exactly what its size allows is read and
// holds that many; one sample more is refused.
TEST(DeclaredLength, ATremologHeaderMayDeclareUpToItsShareAndNoMore) {
    gen::TremologEvent ev;
    for (auto& row : ev.samples) row.assign(100, 7);
    ev.header.lengthFlagA = ev.header.lengthFlagB = 1;
    ev.header.storedNSamples = 100;
    const std::vector<std::uint8_t> plain = gen::writeTremolog(ev);
    const std::int64_t share = allowedSamples(plain, kFormatTremolog);
    ASSERT_GT(share, 100);

    ev.header.storedNSamples = static_cast<std::uint32_t>(share);
    const std::vector<std::uint8_t> atShare = gen::writeTremolog(ev);
    ASSERT_EQ(atShare.size(), plain.size());
    const LoadedEvent loaded = readEventBytes(atShare);
    EXPECT_EQ(loaded.event.sample.nSamplesPerChannel, share);
    EXPECT_EQ(loaded.event.sample.sampleData.samplesPerRow(), share);
    EXPECT_EQ(loaded.event.sample.sampleData(2, 99), loaded.event.sample.sampleData(2, 0));
    EXPECT_EQ(loaded.event.sample.sampleData(2, static_cast<std::int32_t>(share - 1)), 0.0f);

    ev.header.storedNSamples = static_cast<std::uint32_t>(share + 1);
    EXPECT_THROW(readEventBytes(gen::writeTremolog(ev)), ReadRejected);
}

}  // namespace
}  // namespace krnz
