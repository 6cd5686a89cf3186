// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/event_reader.h"

#include "core/common/text_encoding.h"
#include "core/event/byte_source.h"
#include "core/event/krn_reader.h"
#include "core/event/tremolog_reader.h"

namespace krnz {

int fileFormatOfTag(const std::string& tag) {
    if (tag.size() >= 5 && tag[4] == '5') return kFormatK100;
    if (tag.size() >= 5 && tag[4] == '6') return kFormatK200;
    if (tag == "TREMOLOG") return kFormatTremolog;
    return kFormatNone;
}

namespace {

LoadedEvent readFrom(ByteSource& file, const ReadOptions& options) {
    const std::string tag = file.bytes(0, 8);
    const int format = fileFormatOfTag(tag);
    LoadedEvent loaded;
    switch (format) {
        case kFormatK100:
        case kFormatK200:
            loaded.event =
                readKrnFile(file, tag, format, options.channelGroup, options.maxSamplesPerChannel);
            break;
        case kFormatTremolog: {
            UserInfo info;
            loaded.event = readTremologFile(file, info, options.maxSamplesPerChannel);
            loaded.userInfo = std::move(info);
            break;
        }
        default:
            throw ReadRejected(0, {"bad filetype: " + printableTag(tag)});
    }
    return loaded;
}

// Once the file is open, whatever else stops the read is the content's fault, unless the
// device failed.
LoadedEvent readContent(ByteSource& file, const ReadOptions& options) {
    try {
        return readFrom(file, options);
    } catch (const ReadFailed&) {
        throw;
    } catch (const ReadRejected&) {
        throw;
    } catch (const CorruptFile&) {
        throw;
    } catch (const Error& e) {
        throw CorruptFile(e.number(), e.text());
    }
}

}  // namespace

LoadedEvent readDatafile(const std::filesystem::path& path, const ReadOptions& options) {
    ByteSource file(path);
    return readContent(file, options);
}

LoadedEvent readEventBytes(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
    ByteSource source(bytes);
    return readContent(source, options);
}

}  // namespace krnz
