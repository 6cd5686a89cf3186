// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/common/error.h"
#include "core/event/event.h"

// What every layout's reader shares; the readers sit below `readDatafile`, which picks one.
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

// Largest number of samples per channel a Tremolog header may declare beyond what its file
// holds (see tremolog_reader.cpp).
std::int64_t maxDeclaredSamples(std::uint64_t fileSize, std::int64_t dataOffset);

// Whole frames of `frameBytes` from `start` that a file of `fileSize` bytes holds, at most n.
// A frame cut short reads partly as 0, so it does not count as held.
std::int32_t framesHeld(std::uint64_t fileSize, std::uint64_t start, std::uint64_t frameBytes,
                        std::int32_t n);

// Refuses (ReadRejected) an event of more samples per channel than the caller's cap, if any.
void checkSampleCap(std::int64_t samplesPerChannel, std::optional<std::int32_t> cap);

// Sets channelOff and the "undef" unit of slots without a sensor, after the derived units.
void markChannelsWithoutSensor(Event& event);

// The tag as the user should see it: ANSI text, NULs dropped.
std::string printableTag(const std::string& tag);

}  // namespace krnz
