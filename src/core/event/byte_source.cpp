// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/byte_source.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace krnz {
namespace {

std::optional<std::uint64_t>& readFault() {
    static std::optional<std::uint64_t> firstBadByte;
    return firstBadByte;
}

}  // namespace

ByteSource::ByteSource(const std::filesystem::path& path) : m_name(path.string()) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status))
        throw Error(kErrPathFileAccess, path.string() + " is a folder, not an event file");
    if (!std::filesystem::exists(status))
        throw Error(kErrFileNotFound, "File not found: " + path.string());
    if (!std::filesystem::is_regular_file(status))
        throw Error(kErrPathFileAccess, path.string() + " is not a regular file");
    m_file.open(path, std::ios::binary);
    if (!m_file) throw Error(kErrPermissionDenied, "Permission denied: " + path.string());
    m_size = std::filesystem::file_size(path, ec);
    if (ec) throw Error(kErrPathFileAccess, "Path/File access error: " + path.string());
}

ByteSource::ByteSource(std::span<const std::uint8_t> bytes)
    : m_memory(bytes), m_inMemory(true), m_size(bytes.size()) {}

void ByteSource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    std::size_t got = 0;
    if (m_inMemory) {
        if (offset < m_size) {
            got = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), m_size - offset));
            std::copy_n(m_memory.begin() + static_cast<std::ptrdiff_t>(offset), got, out.begin());
        }
    } else if (offset < m_size) {
        const std::size_t avail =
            static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), m_size - offset));
        if (readFault() && offset + avail > *readFault()) failRead(offset);
        m_file.clear();
        m_file.seekg(static_cast<std::streamoff>(offset));
        m_file.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(avail));
        // A file that shrank since it was opened only sets eof: its missing bytes read as 0.
        if (m_file.bad()) failRead(offset);
        got = static_cast<std::size_t>(std::max<std::streamsize>(m_file.gcount(), 0));
        // The file shrank since it was opened: it now ends here at the latest, and what is
        // counted as held from it follows.
        if (got < avail) m_size = offset + got;
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(got), out.end(), std::uint8_t{0});
}

void ByteSource::failRead(std::uint64_t offset) const {
    throw ReadFailed(kErrDeviceIo, "Device I/O error: " + m_name + " could not be read at byte " +
                                       std::to_string(offset));
}

std::uint8_t ByteSource::u8(std::uint64_t offset) {
    std::array<std::uint8_t, 1> b{};
    readAt(offset, b);
    return b[0];
}

std::uint16_t ByteSource::u16(std::uint64_t offset) {
    std::array<std::uint8_t, 2> b{};
    readAt(offset, b);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::int16_t ByteSource::i16(std::uint64_t offset) {
    return static_cast<std::int16_t>(u16(offset));
}

std::int32_t ByteSource::i32(std::uint64_t offset) {
    std::array<std::uint8_t, 4> b{};
    readAt(offset, b);
    const std::uint32_t v = b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24);
    return static_cast<std::int32_t>(v);
}

float ByteSource::f32(std::uint64_t offset) {
    std::array<std::uint8_t, 4> b{};
    readAt(offset, b);
    const std::uint32_t v = b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24);
    return std::bit_cast<float>(v);
}

std::string ByteSource::bytes(std::uint64_t offset, std::size_t count) {
    std::string s(count, '\0');
    readAt(offset, {reinterpret_cast<std::uint8_t*>(s.data()), s.size()});
    return s;
}

void ByteSource::i16Array(std::uint64_t offset, std::span<std::int16_t> out) {
    readAt(offset, {reinterpret_cast<std::uint8_t*>(out.data()), out.size_bytes()});
    if constexpr (std::endian::native == std::endian::big) {
        for (auto& v : out) {
            const auto u = static_cast<std::uint16_t>(v);
            v = static_cast<std::int16_t>((u >> 8) | (u << 8));
        }
    }
}

namespace detail {

void setReadFaultForTesting(std::optional<std::uint64_t> firstBadByte) {
    readFault() = firstBadByte;
}

}  // namespace detail
}  // namespace krnz
