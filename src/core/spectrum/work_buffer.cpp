// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/work_buffer.h"

#include <cstdlib>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace krnz::spectrum {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kSimdAlignment = 64;

std::size_t roundUp(std::size_t bytes, std::size_t to) {
    return (bytes + to - 1) / to * to;
}

}  // namespace

WorkBuffer::WorkBuffer(WorkBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_bytes(std::exchange(other.m_bytes, 0)) {}

WorkBuffer& WorkBuffer::operator=(WorkBuffer&& other) noexcept {
    if (this != &other) {
        std::free(m_data);
        m_data = std::exchange(other.m_data, nullptr);
        m_bytes = std::exchange(other.m_bytes, 0);
    }
    return *this;
}

WorkBuffer::~WorkBuffer() {
    std::free(m_data);
}

bool WorkBuffer::reserveBytes(std::size_t bytes) {
    if (bytes <= m_bytes && m_data) return true;
    std::free(m_data);
    m_data = nullptr;
    m_bytes = 0;
    const std::size_t alignment = bytes >= kHugePage ? kHugePage : kSimdAlignment;
    const std::size_t rounded = roundUp(bytes == 0 ? 1 : bytes, alignment);
    m_data = std::aligned_alloc(alignment, rounded);
    if (!m_data) return false;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (alignment == kHugePage) madvise(m_data, rounded, MADV_HUGEPAGE);  // a hint only
#endif
    m_bytes = rounded;
    return true;
}

}  // namespace krnz::spectrum
