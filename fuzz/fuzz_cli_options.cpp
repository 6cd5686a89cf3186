// SPDX-License-Identifier: GPL-3.0-or-later
// Any argument list (the input split at NUL bytes) for krnz-cli: parsed or refused with a
// UsageError, never anything else. What is accepted keeps the usage's promises: a known command,
// a file unless help was asked for, and every option's value inside its range.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "fuzz_input.h"

namespace {

bool isWholeNumber(const std::string& text) {
    if (text.empty()) return false;
    for (std::size_t i = text[0] == '-' ? 1 : 0; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return text != "-";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    if (size == 0) args.clear();

    krnz::cli::Options o;
    try {
        o = krnz::cli::parseOptions(args);
    } catch (const krnz::cli::UsageError& e) {
        FUZZ_CHECK(*e.what() != '\0');
        (void)krnz::cli::commandUsage(args.empty() ? std::string() : args[0]);
        return 0;
    }
    FUZZ_CHECK(!args.empty() && o.command == args[0]);
    FUZZ_CHECK(krnz::cli::commandUsage(o.command).find(o.command) != std::string::npos);
    FUZZ_CHECK(o.help || !o.file.empty());
    FUZZ_CHECK(o.file.empty() || o.file == "-" || o.file[0] != '-');
    FUZZ_CHECK(o.channelGroup == 1 || o.channelGroup == 2);
    if (o.sourceChannels) {
        FUZZ_CHECK(o.sourceChannels->size() == 4);
        for (const int c : *o.sourceChannels) FUZZ_CHECK(c >= 1 && c <= 4);
    }
    if (o.interpolateRows)
        for (const int r : *o.interpolateRows) FUZZ_CHECK(r >= 0 && r <= 3);
    FUZZ_CHECK(o.window == "rect" || o.window == "geo" || o.window == "hanning");
    FUZZ_CHECK(o.kind == "fft" || o.kind == "psd" || o.kind == "esd");
    if (o.peaks) FUZZ_CHECK(*o.peaks == "all" || (isWholeNumber(*o.peaks) && (*o.peaks)[0] != '-'));
    if (o.slot) FUZZ_CHECK(*o.slot >= 0 && *o.slot <= 3);
    return 0;
}
