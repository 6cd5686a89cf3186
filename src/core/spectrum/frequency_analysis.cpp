// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/frequency_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <exception>
#include <memory>
#include <new>
#include <span>
#include <string>

#include "core/common/error.h"
#include "core/common/parallel.h"
#include "core/spectrum/data_window.h"
#include "core/spectrum/fft.h"
#include "core/spectrum/scratch_pool.h"
#include "core/spectrum/work_buffer.h"

namespace krnz::spectrum {
namespace {

void checkSegment(const SampleRecord& rec, const Segment& segment) {
    const std::int32_t available = std::min(rec.nSamplesPerChannel, rec.sampleData.samplesPerRow());
    if (segment.first < 0 || segment.last >= available) {
        throw Error(kErrSubscript, "The spectrum segment " + std::to_string(segment.first) + ".." +
                                       std::to_string(segment.last) + " lies outside the " +
                                       std::to_string(available) + " samples of the event.");
    }
    if (segment.first > segment.last) throw Error(kErrSubscript, "The spectrum segment is empty.");
    if (!(rec.sampleInterval > 0.0) || !std::isfinite(rec.sampleInterval)) {
        throw Error(kErrDivisionByZero, "The event has no valid sample interval.");
    }
}

// Lines 0..K of the window's main lobe around 0 Hz; K = ceiling(2*M*BW / N), computed as -Int(-x).
std::size_t suppressedLines(int windowType, std::int32_t n, std::int32_t m) {
    const double k = -std::floor(-(2.0 * m * dcBandwidthLines(windowType) / n));
    return static_cast<std::size_t>(std::min(k + 1.0, static_cast<double>(m)));
}

void scaleForKind(std::vector<double>& y, int spectrumType, std::int32_t n, double dt,
                  const DataWindow& window) {
    const double a = window.A;
    const double b = window.B;
    switch (spectrumType) {
        case kSpectrumFft: {
            // RMS: a sine of amplitude 1 on a line shows 1/sqrt(2).
            const double factor = std::sqrt(2.0) / a;
            for (double& v : y) v *= factor;
            break;
        }
        case kSpectrumPsd: {
            const double factor = 2.0 * n * dt / (a * a * b);
            for (double& v : y) v = v * v * factor;
            break;
        }
        case kSpectrumEsd: {
            const double duration = n * dt;
            const double factor = 2.0 * duration * duration / (a * a * b);
            for (double& v : y) v = v * v * factor;
            break;
        }
        default:
            break;
    }
}

// Prepared segments, kept for the next run like the transform's buffers.
ScratchPool<WorkBuffer>& segmentPool() {
    static ScratchPool<WorkBuffer> pool;
    return pool;
}

struct SlotJob {
    const SampleRecord& rec;
    Segment segment;
    const DataWindow& window;
    int spectrumType;
    std::size_t cleared;  // lines of the main lobe around 0 Hz
};

void slotSpectrum(const SlotJob& job, int slot, std::vector<double>& y) {
    const std::int32_t n = job.segment.size();
    ScratchPool<WorkBuffer>::Lease buffer(segmentPool());
    if (!buffer->reserve<double>(static_cast<std::size_t>(n))) throw std::bad_alloc();
    const std::span<double> x(buffer->as<double>(), static_cast<std::size_t>(n));
    const std::span<const float> samples =
        job.rec.sampleData.row(slot).subspan(static_cast<std::size_t>(job.segment.first), x.size());
    // Divided by N before the transform, so line magnitudes come out as amplitudes.
    for (std::size_t k = 0; k < x.size(); ++k) x[k] = static_cast<double>(samples[k]) / n;
    applyWindow(x, job.window);

    const std::int32_t m = fftthis(x, y);
    if (m == 0) throw Error(kErrProgram, "ch " + std::to_string(slot) + " couldn't perform FFT");
    for (double& v : y) v *= m;
    std::fill(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(job.cleared), 0.0);
    scaleForKind(y, job.spectrumType, n, job.rec.sampleInterval, job.window);
}

// Below this a second thread costs more than it saves.
constexpr std::int32_t kParallelFrom = 1 << 15;

// Slots 0..1 and 2..3 side by side on the shared workers when the segment is long; the call
// returns only when all four are done. A failure names the lowest failing slot.
void allSlots(const SlotJob& job, std::array<std::vector<double>, kSlots>& values) {
    auto range = [&](int from, int to) {
        for (int c = from; c < to; ++c) slotSpectrum(job, c, values[static_cast<std::size_t>(c)]);
    };
    if (job.segment.size() < kParallelFrom) {
        range(0, kSlots);
        return;
    }
    std::array<std::exception_ptr, 2> failures;
    parallelFor(2, [&](int half) {
        try {
            range(half * kSlots / 2, (half + 1) * kSlots / 2);
        } catch (...) {
            failures[static_cast<std::size_t>(half)] = std::current_exception();
        }
    });
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

SpectrumRun compute(const SampleRecord& rec, Segment segment, int windowType, int spectrumType,
                    SpectrumRun recycled) {
    checkSegment(rec, segment);
    const std::int32_t n = segment.size();
    const double dt = rec.sampleInterval;
    // A new length needs a transform plan and often a new window; on long segments both are
    // worth making side by side. The window's failure comes first, as in the order written.
    std::shared_ptr<const DataWindow> window;
    if (n >= kParallelFrom) {
        std::array<std::exception_ptr, 2> failures;
        parallelFor(2, [&](int k) {
            try {
                if (k == 0) {
                    window = cachedDataWindow(windowType, n);
                } else {
                    prepareFft(static_cast<std::size_t>(n));
                }
            } catch (...) {
                failures[static_cast<std::size_t>(k)] = std::current_exception();
            }
        });
        for (const std::exception_ptr& failure : failures)
            if (failure) std::rethrow_exception(failure);
    } else {
        window = cachedDataWindow(windowType, n);
    }

    SpectrumRun run = std::move(recycled);
    run.segment = segment;
    run.n = n;
    run.m = (n - 1) / 2 + 1;
    run.tStart = segment.first * dt;
    run.tEnd = segment.last * dt;
    run.A = window->A;
    run.B = window->B;

    const std::size_t m = static_cast<std::size_t>(run.m);
    const double fs = 1.0 / dt;
    run.freqs.resize(m);
    for (std::size_t k = 0; k < m; ++k) run.freqs[k] = static_cast<double>(k) * fs / 2 / run.m;

    allSlots(SlotJob{rec, segment, *window, spectrumType, suppressedLines(windowType, n, run.m)},
             run.values);
    return run;
}

}  // namespace

SpectrumRun computeSpectra(const SampleRecord& rec, Segment segment, int windowType,
                           int spectrumType, SpectrumRun recycled) {
    try {
        return compute(rec, segment, windowType, spectrumType, std::move(recycled));
    } catch (const std::bad_alloc&) {
        throw Error(kErrOutOfMemory, "Out of memory");
    }
}

void releaseSpectrumCaches() {
    segmentPool().clear();
    releaseDataWindowCache();
    releaseFftCaches();
}

}  // namespace krnz::spectrum
