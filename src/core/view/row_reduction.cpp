// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/row_reduction.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

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

// Extremes of x[first..last] with the strict comparisons of a scan from x[first]. Every lane
// starts from x[first] and never takes a NaN, so the result equals the plain scan's.
void extremes(const float* x, std::int32_t first, std::int32_t last, float& lo, float& hi) {
    const float start = x[first];
    Lanes lo0 = {start, start, start, start};
    Lanes lo1 = lo0;
    Lanes hi0 = lo0;
    Lanes hi1 = lo0;
    std::int32_t j = first;
    for (; j + 2 * kLaneCount - 1 <= last; j += 2 * kLaneCount) {
        const Lanes a = loadLanes(x + j);
        const Lanes b = loadLanes(x + j + kLaneCount);
        lo0 = a < lo0 ? a : lo0;
        lo1 = b < lo1 ? b : lo1;
        hi0 = a > hi0 ? a : hi0;
        hi1 = b > hi1 ? b : hi1;
    }
    lo = start;
    hi = start;
    for (int k = 0; k < kLaneCount; ++k) {
        lo = lo0[k] < lo ? lo0[k] : lo;
        lo = lo1[k] < lo ? lo1[k] : lo;
        hi = hi0[k] > hi ? hi0[k] : hi;
        hi = hi1[k] > hi ? hi1[k] : hi;
    }
    for (; j <= last; ++j) {
        lo = x[j] < lo ? x[j] : lo;
        hi = x[j] > hi ? x[j] : hi;
    }
    // -0 and +0 compare equal, so the lanes may keep another zero than the scan, which keeps
    // the first; the cursor readout shows the sign.
    if (lo == 0.0f) lo = *std::find(x + first, x + last + 1, 0.0f);
    if (hi == 0.0f) hi = *std::find(x + first, x + last + 1, 0.0f);
}

void reduceSlot(std::span<const float> samples, std::int32_t H, double step, float* rowMin,
                float* rowMax) {
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
            extremes(x, a, b, rowMin[r], rowMax[r]);
        }
        pos += step;
    }
    const auto a = std::min(static_cast<std::int32_t>(std::floor(pos)), n - 1);
    extremes(x, a, n - 1, rowMin[H - 1], rowMax[H - 1]);
}

}  // namespace

void reduceToRows(RowData& rows, const SampleRecord& rec, std::int32_t H) {
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
    for (int c = 0; c < kSlots; ++c) {
        const std::size_t offset = static_cast<std::size_t>(c) * static_cast<std::size_t>(H);
        const auto samples = n > 0 ? rec.sampleData.row(c) : std::span<const float>();
        reduceSlot(samples, H, step, rows.rowMin.data() + offset, rows.rowMax.data() + offset);
    }
}

}  // namespace krnz::view
