// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace krnz::spectrum {

// Magnitude spectrum of a prepared segment of N values. The segment is zero-padded to 2M points,
// M = ceil(N/2), and M values y are written such that M * y[k] is |X[k]|, X being the DFT of the
// padded segment; line k lies at k * fs / (2M). For a segment already divided by N, as the
// spectrum prepares it, a sine of amplitude a that falls on a line gives M * y = a/2.
// Returns M, with y resized to M (its storage reused). Returns 0, with y empty, when the
// transform cannot run: no samples, a segment too long for the transform's index type, or the
// planner or memory failing. Safe to call from several threads.
std::int32_t fftthis(std::span<const double> segment, std::vector<double>& y);

// Makes the plan fftthis needs for a segment of n values, so that planning can overlap other
// work; a no-op when it exists.
void prepareFft(std::size_t n);

// Plans are cached per length and transform buffers kept for the next call, because planning a
// million-point transform and touching fresh memory for it cost more than the transform itself.
// This drops both (buffers in use stay with their callers until they are done).
void releaseFftCaches();

}  // namespace krnz::spectrum
