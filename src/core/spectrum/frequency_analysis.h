// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/event/event.h"
#include "core/spectrum/segment.h"

namespace krnz::spectrum {

// `spectrumType`: the order is that of the wizard's option buttons and of the settings file.
enum SpectrumType : int { kSpectrumFft = 0, kSpectrumPsd = 1, kSpectrumEsd = 2 };

// Everything a spectrum run reads from the spectrum window and the options dialog.
struct SpectrumParams {
    int windowType = 0;    // 0 rect, 1 GEO, anything else Hanning
    int spectrumType = 0;  // 0 FFT (RMS), 1 PSD, 2 ESD, anything else unscaled magnitudes
    bool logx = false;
    bool logy = false;
    std::array<double, kSlots> maxFrq{500.0, 500.0, 500.0, 500.0};  // Hz, right end of each graph
    std::array<bool, kSlots> normalize{};  // share the y maximum with slots of the same unit
    std::array<bool, kSlots> manual{};     // fixed y maximum instead of the automatic one
    std::array<double, kSlots> manualScale{1.0, 1.0, 1.0, 1.0};  // that maximum, in the unit shown
};

struct SpectrumRun {
    Segment segment;
    std::int32_t n = 0;         // samples in the segment
    std::int32_t m = 0;         // spectral lines, ceil(n / 2)
    double tStart = 0.0;        // s from the start of the record, first * dt
    double tEnd = 0.0;          // last * dt
    double A = 1.0;             // the window's coherent gain
    double B = 1.0;             // the window's equivalent noise bandwidth in lines
    std::vector<double> freqs;  // Hz, line k at k * fs / (2M); the same for every slot
    // Per slot, after DC suppression and the kind's scaling, linear.
    std::array<std::vector<double>, kSlots> values;
};

// Spectra of all four slots over samples segment.first..segment.last, after `windowType` and
// scaled as `spectrumType` asks: FFT gives RMS amplitudes (unit), PSD (unit)^2/Hz, ESD
// (unit)^2*s/Hz. Lines inside the window's main lobe around 0 Hz are cleared.
// `recycled` may hand in a run the caller no longer needs; its storage is reused, which spares
// repaints of long segments the cost of fresh memory.
// Long segments are shared between two of the program's workers (parallelFor); the call returns
// when all four slots are done.
// Throws krnz::Error when the segment is empty or outside the samples, the sample interval is
// not positive, the GEO window gets fewer than 6 samples, memory runs out, or the transform
// fails for a slot; the message then names the slot ("ch 2 couldn't perform FFT"). Nothing is
// returned then, so a caller keeps what it showed before.
SpectrumRun computeSpectra(const SampleRecord& rec, Segment segment, int windowType,
                           int spectrumType, SpectrumRun recycled = {});

// Drops the window, transform plans and work buffers kept between runs (buffers in use stay with
// their callers until they are done).
void releaseSpectrumCaches();

}  // namespace krnz::spectrum
