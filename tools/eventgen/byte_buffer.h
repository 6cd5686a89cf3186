// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace krnz::eventgen {

// A file image written field by field at absolute offsets, little-endian like every event layout.
// Writing past the end grows the image with zero bytes, so gaps between fields stay zero.
class ByteBuffer {
  public:
    explicit ByteBuffer(std::size_t size = 0);

    void putU8(std::size_t offset, std::uint8_t value);
    void putU16(std::size_t offset, std::uint16_t value);
    void putI16(std::size_t offset, std::int16_t value);
    void putU32(std::size_t offset, std::uint32_t value);
    void putI32(std::size_t offset, std::int32_t value);
    void putF32(std::size_t offset, float value);
    void putBytes(std::size_t offset, std::span<const std::uint8_t> bytes);
    // values[i] at offset + i x strideBytes; stride 2 packs them, 8 interleaves four channels.
    void putI16Series(std::size_t offset, std::span<const std::int16_t> values,
                      std::size_t strideBytes);
    // Exactly `width` bytes of `text`: cut when longer, NUL-padded when shorter.
    void putFixedText(std::size_t offset, std::string_view text, std::size_t width);

    // Makes the image at least `size` bytes long.
    void reserveTo(std::size_t size);
    std::size_t size() const { return m_bytes.size(); }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

  private:
    std::uint8_t* at(std::size_t offset, std::size_t width);

    std::vector<std::uint8_t> m_bytes;
};

}  // namespace krnz::eventgen
