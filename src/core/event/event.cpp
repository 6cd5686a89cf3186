// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/event.h"

#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace krnz {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLargeBuffer = 4 * kHugePage;

// Fresh memory costs a page fault per page on first touch, which for a long event costs more
// than reading it. The last large buffer given back is kept for the next one of similar size
// (opening another event, the toolbox's copy), so a session pays for its pages once.
struct RecycledBuffer {
    std::mutex mutex;
    void* p = nullptr;
    std::size_t bytes = 0;

    ~RecycledBuffer() { std::free(p); }
};

RecycledBuffer& recycled() {
    static RecycledBuffer buffer;
    return buffer;
}

std::size_t roundedLarge(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

}  // namespace

void* allocateSampleBuffer(std::size_t bytes) {
    if (bytes < kLargeBuffer) {
        if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
        throw std::bad_alloc();
    }
    const std::size_t rounded = roundedLarge(bytes);
    {
        RecycledBuffer& r = recycled();
        const std::lock_guard lock(r.mutex);
        if (r.p && r.bytes >= rounded && r.bytes / 2 <= rounded) {
            void* p = std::exchange(r.p, nullptr);
            r.bytes = 0;
            return p;
        }
    }
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (!p) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(p, rounded, MADV_HUGEPAGE);  // a hint; without it the buffer works the same
#endif
    return p;
}

void freeSampleBuffer(void* p, std::size_t bytes) {
    if (bytes >= kLargeBuffer) {
        RecycledBuffer& r = recycled();
        const std::lock_guard lock(r.mutex);
        std::free(r.p);
        r.p = p;
        r.bytes = roundedLarge(bytes);
        return;
    }
    std::free(p);
}

void calcMinMax(SampleRecord& rec) {
    const SampleMatrix& data = rec.sampleData;
    if (data.empty()) return;
    rec.allMax = rec.allMin = data(0, 0);
    for (int c = 0; c < kSlots; ++c) {
        const std::span<const float> x = data.row(c);
        float lo = x[0], hi = x[0];
        std::int32_t loIndex = 0, hiIndex = 0;
        // Strict tests: on equal values the earliest sample keeps the title.
        for (std::size_t i = 1; i < x.size(); ++i) {
            const float v = x[i];
            if (v < lo) lo = v, loIndex = static_cast<std::int32_t>(i);
            if (v > hi) hi = v, hiIndex = static_cast<std::int32_t>(i);
        }
        rec.chMin[c] = lo, rec.chMinIndex[c] = loIndex;
        rec.chMax[c] = hi, rec.chMaxIndex[c] = hiIndex;
        if (lo < rec.allMin) rec.allMin = lo;
        if (hi > rec.allMax) rec.allMax = hi;
    }
}

}  // namespace krnz
