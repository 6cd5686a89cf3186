// SPDX-License-Identifier: GPL-3.0-or-later
#include "byte_buffer.h"

#include <algorithm>
#include <bit>

namespace krnz::eventgen {

ByteBuffer::ByteBuffer(std::size_t size) : m_bytes(size, 0) {}

void ByteBuffer::reserveTo(std::size_t size) {
    if (m_bytes.size() < size) m_bytes.resize(size, 0);
}

std::uint8_t* ByteBuffer::at(std::size_t offset, std::size_t width) {
    reserveTo(offset + width);
    return m_bytes.data() + offset;
}

void ByteBuffer::putU8(std::size_t offset, std::uint8_t value) {
    *at(offset, 1) = value;
}

void ByteBuffer::putU16(std::size_t offset, std::uint16_t value) {
    std::uint8_t* p = at(offset, 2);
    p[0] = static_cast<std::uint8_t>(value & 0xFF);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

void ByteBuffer::putI16(std::size_t offset, std::int16_t value) {
    putU16(offset, static_cast<std::uint16_t>(value));
}

void ByteBuffer::putU32(std::size_t offset, std::uint32_t value) {
    std::uint8_t* p = at(offset, 4);
    for (int k = 0; k < 4; ++k) p[k] = static_cast<std::uint8_t>((value >> (8 * k)) & 0xFF);
}

void ByteBuffer::putI32(std::size_t offset, std::int32_t value) {
    putU32(offset, static_cast<std::uint32_t>(value));
}

void ByteBuffer::putF32(std::size_t offset, float value) {
    putU32(offset, std::bit_cast<std::uint32_t>(value));
}

void ByteBuffer::putBytes(std::size_t offset, std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return;
    std::copy(bytes.begin(), bytes.end(), at(offset, bytes.size()));
}

void ByteBuffer::putI16Series(std::size_t offset, std::span<const std::int16_t> values,
                              std::size_t strideBytes) {
    if (values.empty()) return;
    std::uint8_t* p = at(offset, strideBytes * (values.size() - 1) + 2);
    for (std::int16_t v : values) {
        const auto u = static_cast<std::uint16_t>(v);
        p[0] = static_cast<std::uint8_t>(u & 0xFF);
        p[1] = static_cast<std::uint8_t>(u >> 8);
        p += strideBytes;
    }
}

void ByteBuffer::putFixedText(std::size_t offset, std::string_view text, std::size_t width) {
    std::uint8_t* p = at(offset, width);
    for (std::size_t k = 0; k < width; ++k)
        p[k] = k < text.size() ? static_cast<std::uint8_t>(text[k]) : 0;
}

}  // namespace krnz::eventgen
