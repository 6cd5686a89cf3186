// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/error.h"
#include "event/event.h"

namespace krnz {

// The reader turned the file down and says why in its own words (unrecognised tag,
// record-length index out of range, any failure inside the Tremolog reader). Any other
// krnz::Error out of readDatafile means the file is corrupt.
class ReadRejected : public Error {
public:
    ReadRejected(int number, std::vector<std::string> messages)
        : Error(number, messages.empty() ? std::string() : messages.back()),
          m_messages(std::move(messages)) {}

    // Messages in the order the user is shown them.
    const std::vector<std::string>& messages() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
};

struct ReadOptions {
    int channelGroup = 1;  // K200 only: 1 reads file channels 1-4, 2 reads channels 5-8
};

struct LoadedEvent {
    Event event;
    // Tremolog events carry their user texts inside the file; KRN events keep them beside it.
    std::optional<UserInfo> userInfo;
};

// Reads one event file of any of the three layouts into a fresh record, converting every
// sample to engineering units, and runs the peak scan. Throws ReadRejected or krnz::Error.
LoadedEvent readDatafile(const std::filesystem::path& path, const ReadOptions& options = {});

// The same for an event file's bytes already in memory.
LoadedEvent readEventBytes(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});

// The layout an 8-byte file tag names: 5 K100, 6 K200, 7 Tremolog, 0 unknown.
int fileFormatOfTag(const std::string& tag);

// Largest number of samples per channel a Tremolog header may declare beyond what its file
// holds (see tremolog_reader.cpp).
std::int64_t maxDeclaredSamples(std::uint64_t fileSize, std::int64_t dataOffset);

// Sets channelOff and the "undef" unit of slots without a sensor, after the derived units.
void markChannelsWithoutSensor(Event& event);

}  // namespace krnz
