// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace krnz::view {

inline constexpr std::size_t kMaxRecentFiles = 8;

// The File menu's recent events, newest first: `path` moves to the front, appearing once, and
// the list keeps at most kMaxRecentFiles entries.
std::vector<std::string> pushRecentFile(std::vector<std::string> list, const std::string& path);

// Kept in section "recent" of the general settings file as "file1", "file2", ...; empty
// entries are skipped when read.
std::vector<std::string> readRecentFiles(const std::filesystem::path& generalIni);
// Throws krnz::Error when the file cannot be written.
void writeRecentFiles(const std::filesystem::path& generalIni,
                      const std::vector<std::string>& list);

}  // namespace krnz::view
