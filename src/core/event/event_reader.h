// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/common/error.h"
#include "core/event/byte_source.h"
#include "core/event/event.h"
#include "core/event/reader_common.h"

namespace krnz {

struct ReadOptions {
    int channelGroup = 1;  // K200 only: 1 reads file channels 1-4, 2 reads channels 5-8
    // Most samples per channel this reading will hold in memory; an event with more is refused
    // (ReadRejected) before its samples are allocated. None: only the file's own size limits it.
    // The fuzz target sets it so that small inputs declaring long records stay quick to try.
    std::optional<std::int32_t> maxSamplesPerChannel;
};

struct LoadedEvent {
    Event event;
    // Tremolog events carry their user texts inside the file; KRN events keep them beside it.
    std::optional<UserInfo> userInfo;
};

// Reads one event file of any of the three layouts into a fresh record, converting every
// sample to engineering units, and runs the peak scan. Throws ReadRejected when the reader turns
// the file down, CorruptFile when its content cannot be read, ReadFailed (naming the file) when
// the device fails part-way, krnz::Error when the file cannot be opened at all (missing, a
// folder, no permission). A file shorter than its layout says is none of these: the samples it
// lacks read as 0.
LoadedEvent readDatafile(const std::filesystem::path& path, const ReadOptions& options = {});

// The same for an event file's bytes already in memory.
LoadedEvent readEventBytes(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});

// The layout an 8-byte file tag names: 5 K100, 6 K200, 7 Tremolog, 0 unknown.
int fileFormatOfTag(const std::string& tag);

}  // namespace krnz
