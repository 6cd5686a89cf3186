// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/event.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>

#include "core/common/parallel.h"

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

std::size_t roundedLarge(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

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

namespace {

// Extremes of a row and the first index of each, as a scan with strict comparisons from
// sample 0 finds them. The values come from a pass the compiler vectorises (minimum and
// maximum do not depend on the order), the indices from a search for their first occurrence.
// A NaN would make the order matter, so a row holding one takes the plain scan.
void rowExtremes(std::span<const float> x, float& lo, std::int32_t& loIndex, float& hi,
                 std::int32_t& hiIndex) {
    constexpr std::size_t kLanes = 8;
    float mins[kLanes], maxs[kLanes];
    std::fill(std::begin(mins), std::end(mins), x[0]);
    std::fill(std::begin(maxs), std::end(maxs), x[0]);
    bool nan = false;
    std::size_t i = 0;
    for (; i + kLanes <= x.size(); i += kLanes) {
        for (std::size_t k = 0; k < kLanes; ++k) {
            const float v = x[i + k];
            nan |= v != v;
            mins[k] = v < mins[k] ? v : mins[k];
            maxs[k] = v > maxs[k] ? v : maxs[k];
        }
    }
    for (; i < x.size(); ++i) {
        nan |= x[i] != x[i];
        mins[0] = x[i] < mins[0] ? x[i] : mins[0];
        maxs[0] = x[i] > maxs[0] ? x[i] : maxs[0];
    }
    if (nan) {
        lo = hi = x[0];
        loIndex = hiIndex = 0;
        for (std::size_t j = 1; j < x.size(); ++j) {
            if (x[j] < lo) lo = x[j], loIndex = static_cast<std::int32_t>(j);
            if (x[j] > hi) hi = x[j], hiIndex = static_cast<std::int32_t>(j);
        }
        return;
    }
    lo = *std::min_element(std::begin(mins), std::end(mins));
    hi = *std::max_element(std::begin(maxs), std::end(maxs));
    // -0 and +0 compare equal; the scan keeps whichever came first, and so does find.
    loIndex = static_cast<std::int32_t>(std::find(x.begin(), x.end(), lo) - x.begin());
    hiIndex = static_cast<std::int32_t>(std::find(x.begin(), x.end(), hi) - x.begin());
    lo = x[static_cast<std::size_t>(loIndex)];
    hi = x[static_cast<std::size_t>(hiIndex)];
}

}  // namespace

void calcMinMax(SampleRecord& rec) {
    const SampleMatrix& data = rec.sampleData;
    if (data.empty()) return;
    parallelFor(kSlots, [&](int c) {
        rowExtremes(data.row(c), rec.chMin[c], rec.chMinIndex[c], rec.chMax[c], rec.chMaxIndex[c]);
    });
    rec.allMax = rec.allMin = data(0, 0);
    for (int c = 0; c < kSlots; ++c) {
        if (rec.chMin[c] < rec.allMin) rec.allMin = rec.chMin[c];
        if (rec.chMax[c] > rec.allMax) rec.allMax = rec.chMax[c];
    }
}

}  // namespace krnz
