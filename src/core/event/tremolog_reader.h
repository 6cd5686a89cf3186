// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

#include "core/event/byte_source.h"
#include "core/event/event.h"

namespace krnz {

// Reads a whole Tremolog event with its text section. Every failure inside is a rejection
// (ReadRejected with "readdatafile " + number + CR LF + text), among them an event of more
// samples per channel than maxSamples (see checkSampleCap).
Event readTremologFile(ByteSource& file, UserInfo& userInfo,
                       std::optional<std::int32_t> maxSamples = std::nullopt);

}  // namespace krnz
