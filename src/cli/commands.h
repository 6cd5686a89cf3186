// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "cli/cli_options.h"
#include "core/event/event.h"

namespace krnz::cli {

// The event as the commands see it: read, user texts attached.
struct CliEvent {
    Event event;
    UserInfo userInfo;
    bool processed = false;                                // the operator chain ran (--macro ...)
    std::array<int, kSlots> sourceChannel = {1, 2, 3, 4};  // its rows' source channels
};

// Reads the event FILE names; throws what the reader throws.
CliEvent loadCliEvent(const Options& options);

// Each command writes its result (stdout or -o) and returns the exit status.
int runInfo(const Options& options);
int runSamples(const Options& options);
int runDump(const Options& options);
int runPpvzx(const Options& options);
int runSpectrum(const Options& options);
int runReport(const Options& options);  // only in builds with the Qt libraries
int runWav(const Options& options);

}  // namespace krnz::cli
