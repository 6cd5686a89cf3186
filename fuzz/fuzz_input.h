// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: taking numbers off the input and decoding sample rows from it.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "core/common/parallel.h"
#include "core/event/event.h"
#include "fuzz_rows.h"

namespace fuzz {

// A broken promise: says which, then stops the run with a crash libFuzzer keeps the input of.
[[noreturn]] inline void broken(const char* promise, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: promise broken: %s\n", file, line, promise);
    __builtin_trap();
}

// Every target measures in one thread: a thread started per call would cost more than most
// inputs, and coverage is only repeatable when one thread does the work.
inline const bool kOneThread = (krnz::setParallelThreadLimit(1), true);

// A folder of this process for the files a target writes, in memory where the system has
// such a folder: the stores sync what they write, which on a disk costs milliseconds a file.
inline std::filesystem::path scratchDir(const std::string& target) {
    const std::filesystem::path shm = "/dev/shm";
    std::error_code ec;
    const std::filesystem::path base =
        std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
    const std::filesystem::path dir = base / ("krnz-" + target + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

#define FUZZ_CHECK(promise) ((promise) ? (void)0 : fuzz::broken(#promise, __FILE__, __LINE__))

}  // namespace fuzz
