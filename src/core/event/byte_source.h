// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

namespace krnz {

// Random access to an event file. Reading past the end is not an error: the missing bytes
// read as 0, which is what a file cut short by the instrument needs.
class ByteSource {
  public:
    // Throws krnz::Error (file not found) when the file cannot be opened.
    explicit ByteSource(const std::filesystem::path& path);
    // Bytes already in memory (the caller keeps them alive).
    explicit ByteSource(std::span<const std::uint8_t> bytes);

    // The file's length when opened, or where a read found it ending since.
    std::uint64_t size() const { return m_size; }

    // Fills out from the file at offset; bytes beyond the end are zeroed.
    void readAt(std::uint64_t offset, std::span<std::uint8_t> out);

    std::uint8_t u8(std::uint64_t offset);
    std::int16_t i16(std::uint64_t offset);
    std::uint16_t u16(std::uint64_t offset);
    std::int32_t i32(std::uint64_t offset);
    float f32(std::uint64_t offset);
    std::string bytes(std::uint64_t offset, std::size_t count);

    // count little-endian 16-bit values from offset into out (zero past the end).
    void i16Array(std::uint64_t offset, std::span<std::int16_t> out);

  private:
    std::ifstream m_file;
    std::span<const std::uint8_t> m_memory;
    bool m_inMemory = false;
    std::uint64_t m_size = 0;
};

}  // namespace krnz
