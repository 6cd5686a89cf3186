// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>

// The K100 channel check of the debug menu: slot 0 of a K100 file read straight from disk with
// every decoding step written out, to compare against what the reader makes of the same file.
namespace krnz {

// Written into the program folder, replacing the previous check.
inline constexpr const char* kChannelDumpFileName = "debug_ch2ascii_data.txt";

// Shown once the file is known to be a K100 file, before converting.
inline constexpr const char* kConvertingChannelMessage =
    "converting channel 1, (channel 2-4 not implemented yet.)";

// The text of the check, CR LF lines, '.' as the decimal separator: "K100-file", the sensitivity
// steps of slot 0, the record length, then "time" TAB "int" TAB "scaled" and one line per sample
// (time with 5 decimals, the raw count, count / sensitivity with 4 decimals).
//
// inform receives kConvertingChannelMessage when the tag is that of a K100 file. The current
// event is not touched. Refusals throw ReadRejected (event/event_reader.h), whose messages are
// shown as they stand and after which nothing is written: "function not yet implemented for
// K200-files", "bad filetype: " + tag, "readDatafile: no such reglength". A sensitivity field
// that is not BCD throws krnz::Error "file corrupt" (kErrProgram); other failures (a file that
// cannot be opened, a non-BCD serial or event number, a sensitivity of 0) throw krnz::Error too.
std::string k100ChannelDump(const std::filesystem::path& path,
                            const std::function<void(const std::string&)>& inform = {});

}  // namespace krnz
