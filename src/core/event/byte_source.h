// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>

#include "core/common/error.h"

namespace krnz {

// The device failed while the file was read (EIO), as opposed to the file ending early: the
// reading is abandoned whatever the layout, since bytes that could not be read are not zeros.
// The message names the file.
class ReadFailed : public Error {
  public:
    using Error::Error;
};

// Random access to an event file. Reading past the end is not an error: the missing bytes
// read as 0, which is what a file cut short by the instrument needs. A failing device is one:
// ReadFailed.
class ByteSource {
  public:
    // Throws krnz::Error (file not found) when the file cannot be opened.
    explicit ByteSource(const std::filesystem::path& path);
    // Bytes already in memory (the caller keeps them alive).
    explicit ByteSource(std::span<const std::uint8_t> bytes);

    // The file's length when opened, or where a read found it ending since.
    std::uint64_t size() const { return m_size; }

    // Fills out from the file at offset; bytes beyond the end are zeroed. Throws ReadFailed.
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
    [[noreturn]] void failRead(std::uint64_t offset) const;

    std::string m_name;  // the file's path, for messages
    std::ifstream m_file;
    std::span<const std::uint8_t> m_memory;
    bool m_inMemory = false;
    std::uint64_t m_size = 0;
};

namespace detail {

// Makes every read from an event file (not from memory) that reaches byte `firstBadByte` or
// beyond fail as a bad sector does, until cleared with nullopt: a real read error cannot be
// made on demand, and permission checks do not stop a test running as root.
void setReadFaultForTesting(std::optional<std::uint64_t> firstBadByte);

}  // namespace detail
}  // namespace krnz
