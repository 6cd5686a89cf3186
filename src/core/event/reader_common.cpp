// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/reader_common.h"

#include <algorithm>

#include "core/common/text_encoding.h"

namespace krnz {
namespace {

// A declared sample block may reach past the end of its file (the instrument lost power, a
// copy was cut short: the missing samples read as 0), but one declaring far more than the file
// holds is corrupt, and allocating for it could take gigabytes. The line: the declared block
// may be at most twice what the file holds after the data offset, plus 1 MiB.
constexpr std::int64_t kSlackBytes = 1 << 20;

}  // namespace

std::string printableTag(const std::string& tag) {
    std::string visible;
    for (const char ch : tag)
        if (ch != '\0') visible += ch;
    return decodeAnsi(visible);
}

std::int64_t maxDeclaredSamples(std::uint64_t fileSize, std::int64_t dataOffset) {
    const std::int64_t held = static_cast<std::int64_t>(fileSize) > dataOffset
                                  ? static_cast<std::int64_t>(fileSize) - dataOffset
                                  : 0;
    return (2 * held + kSlackBytes) / (2 * kSlots);
}

std::int32_t framesHeld(std::uint64_t fileSize, std::uint64_t start, std::uint64_t frameBytes,
                        std::int32_t n) {
    if (fileSize <= start || n <= 0) return 0;
    return static_cast<std::int32_t>(
        std::min<std::uint64_t>((fileSize - start) / frameBytes, static_cast<std::uint64_t>(n)));
}

void checkSampleCap(std::int64_t samplesPerChannel, std::optional<std::int32_t> cap) {
    if (cap && samplesPerChannel > *cap)
        throw ReadRejected(0, {"the event holds " + std::to_string(samplesPerChannel) +
                               " samples per channel, more than the " + std::to_string(*cap) +
                               " this reading allows"});
}

void markChannelsWithoutSensor(Event& event) {
    for (int c = 0; c < kSlots; ++c) {
        const bool off = event.channels[c].sensorKind == 0;
        event.sample.channelOff[c] = off;
        if (off) event.channels[c].unit = 19;  // "undef"; the derived units stay those of the file
    }
}

}  // namespace krnz
