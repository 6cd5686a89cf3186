// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace krnz::spectrum {

// An uninitialised, 64-byte aligned buffer that grows on demand and keeps its memory. Buffers of
// 2 MiB and more are aligned to 2 MiB and asked to use huge pages: touching a fresh 16 MB
// buffer in 4 KiB pages costs more than transforming it.
class WorkBuffer {
  public:
    WorkBuffer() = default;
    WorkBuffer(WorkBuffer&& other) noexcept;
    WorkBuffer& operator=(WorkBuffer&& other) noexcept;
    WorkBuffer(const WorkBuffer&) = delete;
    WorkBuffer& operator=(const WorkBuffer&) = delete;
    ~WorkBuffer();

    // Room for at least `count` values of T, the old contents not kept; false when memory runs out
    // (the buffer is empty then).
    template <typename T>
    bool reserve(std::size_t count) {
        return reserveBytes(count * sizeof(T));
    }

    template <typename T>
    T* as() {
        return static_cast<T*>(m_data);
    }

  private:
    bool reserveBytes(std::size_t bytes);

    void* m_data = nullptr;
    std::size_t m_bytes = 0;
};

}  // namespace krnz::spectrum
