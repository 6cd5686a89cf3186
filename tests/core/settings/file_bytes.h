// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace krnz::test {

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Names in `dir` other than `keep`: leftovers of an interrupted or failed write.
inline int countOtherFiles(const std::filesystem::path& dir, const std::string& keep) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        count += entry.path().filename() != keep;
    }
    return count;
}

}  // namespace krnz::test
