// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/row_reduction.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <span>

#include "core/common/parallel.h"

namespace krnz::view {
namespace {

// Four floats handled as one: minps/maxps on every x86-64, NEON elsewhere. Written out rather
// than left to the auto-vectoriser, which at -O3 turned the scan into scalar compares.
using Lanes = float __attribute__((vector_size(16)));
constexpr int kLaneCount = 4;

Lanes loadLanes(const float* p) {
    Lanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Takes low[first..last] into lo and high[first..last] into hi with the strict comparisons of
// a scan: every lane starts from lo and hi and never takes a NaN, so the result equals the
// plain scan's but for the sign of a zero.
void widen(const float* low, const float* high, std::int32_t first, std::int32_t last, float& lo,
           float& hi) {
    Lanes lo0 = {lo, lo, lo, lo};
    Lanes lo1 = lo0;
    Lanes hi0 = {hi, hi, hi, hi};
    Lanes hi1 = hi0;
    std::int32_t j = first;
    for (; j + 2 * kLaneCount - 1 <= last; j += 2 * kLaneCount) {
        const Lanes a = loadLanes(low + j);
        const Lanes b = loadLanes(low + j + kLaneCount);
        const Lanes c = loadLanes(high + j);
        const Lanes d = loadLanes(high + j + kLaneCount);
        lo0 = a < lo0 ? a : lo0;
        lo1 = b < lo1 ? b : lo1;
        hi0 = c > hi0 ? c : hi0;
        hi1 = d > hi1 ? d : hi1;
    }
    for (int k = 0; k < kLaneCount; ++k) {
        lo = lo0[k] < lo ? lo0[k] : lo;
        lo = lo1[k] < lo ? lo1[k] : lo;
        hi = hi0[k] > hi ? hi0[k] : hi;
        hi = hi1[k] > hi ? hi1[k] : hi;
    }
    for (; j <= last; ++j) {
        lo = low[j] < lo ? low[j] : lo;
        hi = high[j] > hi ? high[j] : hi;
    }
}

// -0 and +0 compare equal, so the lanes may keep another zero than the scan, which keeps the
// first; the cursor readout shows the sign.
void firstZeroSign(const float* x, std::int32_t first, std::int32_t last, float& lo, float& hi) {
    if (lo == 0.0f) lo = *std::find(x + first, x + last + 1, 0.0f);
    if (hi == 0.0f) hi = *std::find(x + first, x + last + 1, 0.0f);
}

// Extremes of x[first..last] with the strict comparisons of a scan from x[first].
void extremes(const float* x, std::int32_t first, std::int32_t last, float& lo, float& hi) {
    lo = hi = x[first];
    widen(x, x, first, last, lo, hi);
    firstZeroSign(x, first, last, lo, hi);
}

// extremes() of x[first..last] from the block extremes where whole blocks lie inside.
struct SlotBlocks {
    const float* min = nullptr;
    const float* max = nullptr;
};

void blockedExtremes(const float* x, const SlotBlocks& blocks, std::int32_t first,
                     std::int32_t last, float& lo, float& hi) {
    const std::int32_t firstBlock = (first + kRowBlock - 1) / kRowBlock;
    const std::int32_t endBlock = (last + 1) / kRowBlock;  // one past the last whole block
    const float start = x[first];
    if (!blocks.min || endBlock - firstBlock < 2 || start != start) {
        extremes(x, first, last, lo, hi);  // a NaN at the start stays, as the scan keeps it
        return;
    }
    lo = hi = start;
    widen(x, x, first, firstBlock * kRowBlock - 1, lo, hi);
    widen(blocks.min, blocks.max, firstBlock, endBlock - 1, lo, hi);
    widen(x, x, endBlock * kRowBlock, last, lo, hi);
    firstZeroSign(x, first, last, lo, hi);
}

void reduceSlot(std::span<const float> samples, const SlotBlocks& blocks, std::int32_t H,
                double step, float* rowMin, float* rowMax) {
    const auto n = static_cast<std::int32_t>(samples.size());
    if (n == 0) {
        std::fill(rowMin, rowMin + H, 0.0f);
        std::fill(rowMax, rowMax + H, 0.0f);
        return;
    }
    const float* x = samples.data();
    double pos = 0.0;
    for (std::int32_t r = 0; r + 1 < H; ++r) {
        const auto a = std::min(static_cast<std::int32_t>(std::floor(pos)), n - 1);
        const auto b = std::min(static_cast<std::int32_t>(std::floor(pos + step)) - 1, n - 1);
        if (b < a) {
            rowMin[r] = rowMax[r] = x[a];
        } else {
            blockedExtremes(x, blocks, a, b, rowMin[r], rowMax[r]);
        }
        pos += step;
    }
    const auto a = std::min(static_cast<std::int32_t>(std::floor(pos)), n - 1);
    blockedExtremes(x, blocks, a, n - 1, rowMin[H - 1], rowMax[H - 1]);
}

}  // namespace

BlockExtremes blockExtremes(const SampleRecord& rec) {
    BlockExtremes blocks;
    const std::int32_t n = rec.sampleData.empty() ? 0 : rec.sampleData.samplesPerRow();
    blocks.samplesPerRow = n;
    const std::int32_t count = n / kRowBlock;
    parallelFor(kSlots, [&](int c) {
        std::vector<float>& mins = blocks.min[static_cast<std::size_t>(c)];
        std::vector<float>& maxs = blocks.max[static_cast<std::size_t>(c)];
        mins.resize(static_cast<std::size_t>(count));
        maxs.resize(static_cast<std::size_t>(count));
        const float* x = n > 0 ? rec.sampleData.row(c).data() : nullptr;
        constexpr float kInf = std::numeric_limits<float>::infinity();
        for (std::int32_t k = 0; k < count; ++k) {
            float lo = kInf, hi = -kInf;
            widen(x, x, k * kRowBlock, (k + 1) * kRowBlock - 1, lo, hi);
            mins[static_cast<std::size_t>(k)] = lo;
            maxs[static_cast<std::size_t>(k)] = hi;
        }
    });
    return blocks;
}

void reduceToRows(RowData& rows, const SampleRecord& rec, std::int32_t H,
                  const BlockExtremes* blocks) {
    H = std::max<std::int32_t>(H, 1);
    rows.previousRowCount = rows.previousRowCount == 0 ? H : rows.rowCount;
    rows.rowCount = H;
    // The matrix holds nSamplesPerChannel samples per row; its own length is the safe bound.
    const std::int32_t n = rec.sampleData.empty() ? 0 : rec.sampleData.samplesPerRow();
    const double step = static_cast<double>(n) / H;
    rows.secondsPerRow = step * rec.sampleInterval;
    const std::size_t size = static_cast<std::size_t>(kSlots) * static_cast<std::size_t>(H);
    rows.rowMin.resize(size);
    rows.rowMax.resize(size);
    parallelFor(kSlots, [&](int c) {
        const std::size_t offset = static_cast<std::size_t>(c) * static_cast<std::size_t>(H);
        const auto samples = n > 0 ? rec.sampleData.row(c) : std::span<const float>();
        SlotBlocks slotBlocks;
        if (blocks && blocks->samplesPerRow == n && n > 0) {
            slotBlocks = {blocks->min[static_cast<std::size_t>(c)].data(),
                          blocks->max[static_cast<std::size_t>(c)].data()};
        }
        reduceSlot(samples, slotBlocks, H, step, rows.rowMin.data() + offset,
                   rows.rowMax.data() + offset);
    });
}

}  // namespace krnz::view
