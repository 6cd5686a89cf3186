// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace krnz::cli {

// A command line that does not follow the usage; the message says what is wrong.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string command;
    std::string file;
    int channelGroup = 1;
    std::optional<std::string> macroFile;
    std::optional<std::vector<int>> sourceChannels;  // 1..4 for rows 0..3
    std::optional<std::vector<int>> interpolateRows;
    std::optional<std::string> output;     // -o
    std::optional<long long> first, last;  // spectrum
    std::string window = "hanning";
    std::string kind = "fft";
    std::optional<std::string> peaks;  // ppvzx: N or "all"
    std::optional<int> slot;           // wav
    bool ppvzx = false, onlyPpvzx = false;
    std::optional<std::string> standard;
    std::optional<std::string> standardsFile;  // --standards: limit lines in PPVZX.ini's layout
    std::optional<std::string> format;         // export: mseed|csv|wav4; batch: csv|json
    std::vector<std::string> inputs;           // batch: files and folders (file: the first)
    bool recursive = false;
    std::optional<std::string> pdfDir;
    std::optional<int> jobs;             // -j
    std::optional<std::string> printer;  // report --printer: a name, or "" for the default
    bool help = false;
};

// Parses argv (without the program name). Throws UsageError.
Options parseOptions(const std::vector<std::string>& args);

std::string usageText();
std::string commandUsage(const std::string& command);

}  // namespace krnz::cli
