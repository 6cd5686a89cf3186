// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"
#include "event/event_reader.h"
#include "event/user_info.h"

namespace krnz::cli {

CliEvent loadCliEvent(const Options& options) {
    if (options.macroFile || options.sourceChannels || options.interpolateRows)
        throw UsageError("--macro, --source and --interpolate are not available in this build");
    LoadedEvent loaded = readDatafile(options.file, ReadOptions{options.channelGroup});
    CliEvent result;
    result.event = std::move(loaded.event);
    if (loaded.userInfo) {
        result.userInfo = std::move(*loaded.userInfo);
    } else if (auto stored = readUserInfoFile(options.file)) {
        result.userInfo = std::move(*stored);
    }
    for (int c = 0; c < kSlots; ++c) result.event.sample.curUnit[c] = result.event.channels[c].unit;
    return result;
}

}  // namespace krnz::cli
