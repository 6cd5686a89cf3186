// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/event/byte_source.h"
#include "core/event/event.h"

namespace krnz {

// Reads a whole Tremolog event with its text section. Every failure inside is a rejection
// (ReadRejected with "readdatafile " + number + CR LF + text).
Event readTremologFile(ByteSource& file, UserInfo& userInfo);

}  // namespace krnz
