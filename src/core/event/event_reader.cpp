// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/event_reader.h"

#include "common/text_encoding.h"
#include "event/byte_source.h"
#include "event/krn_reader.h"
#include "event/tremolog_reader.h"

namespace krnz {
namespace {

// A declared sample block may reach past the end of its file (the instrument lost power, a
// copy was cut short: the missing samples read as 0), but one declaring far more than the file
// holds is corrupt, and allocating for it could take gigabytes. The line: the declared block
// may be at most twice what the file holds after the data offset, plus 1 MiB.
constexpr std::int64_t kSlackBytes = 1 << 20;

// The tag as the user should see it: ANSI text, NULs dropped.
std::string printableTag(const std::string& tag) {
    std::string visible;
    for (const char ch : tag)
        if (ch != '\0') visible += ch;
    return decodeAnsi(visible);
}

}  // namespace

int fileFormatOfTag(const std::string& tag) {
    if (tag.size() >= 5 && tag[4] == '5') return kFormatK100;
    if (tag.size() >= 5 && tag[4] == '6') return kFormatK200;
    if (tag == "TREMOLOG") return kFormatTremolog;
    return kFormatNone;
}

std::int64_t maxDeclaredSamples(std::uint64_t fileSize, std::int64_t dataOffset) {
    const std::int64_t held =
        static_cast<std::int64_t>(fileSize) > dataOffset ? static_cast<std::int64_t>(fileSize) - dataOffset : 0;
    return (2 * held + kSlackBytes) / (2 * kSlots);
}

void markChannelsWithoutSensor(Event& event) {
    for (int c = 0; c < kSlots; ++c) {
        const bool off = event.channels[c].sensorKind == 0;
        event.sample.channelOff[c] = off;
        if (off) event.channels[c].unit = 19;  // "undef"; the derived units stay those of the file
    }
}

namespace {

LoadedEvent readFrom(ByteSource& file, const ReadOptions& options) {
    const std::string tag = file.bytes(0, 8);
    const int format = fileFormatOfTag(tag);
    LoadedEvent loaded;
    switch (format) {
        case kFormatK100:
        case kFormatK200:
            loaded.event = readKrnFile(file, tag, format, options.channelGroup);
            break;
        case kFormatTremolog: {
            UserInfo info;
            loaded.event = readTremologFile(file, info);
            loaded.userInfo = std::move(info);
            break;
        }
        default:
            throw ReadRejected(0, {"bad filetype: " + printableTag(tag)});
    }
    return loaded;
}

}  // namespace

LoadedEvent readDatafile(const std::filesystem::path& path, const ReadOptions& options) {
    ByteSource file(path);
    return readFrom(file, options);
}

LoadedEvent readEventBytes(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
    ByteSource source(bytes);
    return readFrom(source, options);
}

}  // namespace krnz
