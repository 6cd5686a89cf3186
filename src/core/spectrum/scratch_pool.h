// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

namespace krnz::spectrum {

// Large work buffers kept for the next run. Memory that was touched once is several times
// cheaper to fill than fresh pages, which for million-sample segments costs more than the
// arithmetic. Threads take a buffer each and give it back; a few are kept, the rest are freed.
template <typename T>
class ScratchPool {
  public:
    // Hands a buffer out and takes it back at the end of its scope, also when an exception passes.
    class Lease {
      public:
        explicit Lease(ScratchPool& pool) : m_pool(pool), m_item(pool.take()) {}
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ~Lease() { m_pool.give(std::move(m_item)); }
        T& operator*() { return m_item; }
        T* operator->() { return &m_item; }

      private:
        ScratchPool& m_pool;
        T m_item;
    };

    void clear() {
        std::vector<T> dropped;
        const std::lock_guard lock(m_mutex);
        dropped.swap(m_free);
    }

  private:
    static constexpr std::size_t kKept = 4;

    T take() {
        const std::lock_guard lock(m_mutex);
        if (m_free.empty()) return T{};
        T item = std::move(m_free.back());
        m_free.pop_back();
        return item;
    }

    void give(T item) noexcept {
        try {
            const std::lock_guard lock(m_mutex);
            if (m_free.size() < kKept) m_free.push_back(std::move(item));
        } catch (...) {
            // Not kept: the buffer is simply freed.
        }
    }

    std::mutex m_mutex;
    std::vector<T> m_free;
};

}  // namespace krnz::spectrum
