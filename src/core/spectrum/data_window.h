// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace krnz::spectrum {

// `windowType`: the order is that of the wizard's option buttons and of the settings file.
enum WindowType : int { kWindowRect = 0, kWindowGeo = 1, kWindowHanning = 2 };

// Below this the GEO taper length, round(0.1 * N), is 0.
inline constexpr int kGeoMinSamples = 6;

// A data window over a segment of N samples and its two correction constants:
// A, the coherent gain (mean of the weights), and B = mean(w^2) / A^2, the equivalent noise
// bandwidth in lines. The rectangular window keeps `weights` empty: it changes nothing.
struct DataWindow {
    std::vector<double> weights;
    double A = 1.0;
    double B = 1.0;
};

// Weights for `windowType` 0 (rectangular), 1 (GEO: Tukey cosine taper over 10 % at each end,
// scaled by 10/9) or anything else (periodic Hanning, w(0) = 0, with A = 0.5 and B = 1.5 taken as
// the ideal constants). Throws krnz::Error for the GEO window on fewer than 6 samples, whose
// taper length rounds to 0.
DataWindow makeDataWindow(int windowType, std::int32_t n);

// makeDataWindow, keeping the last window made: repaints of one segment reuse it instead of
// computing a million cosines (and touching fresh memory) again. Safe from several threads.
std::shared_ptr<const DataWindow> cachedDataWindow(int windowType, std::int32_t n);

// Forgets the window cachedDataWindow keeps.
void releaseDataWindowCache();

// x(k) *= w(k); x must have the window's length.
void applyWindow(std::span<double> x, const DataWindow& window);

// Half-width of the window's main lobe in lines (0.89 rectangular, 1.0 GEO, 1.28 Hanning): the
// band around 0 Hz that DC suppression clears.
double dcBandwidthLines(int windowType);

// "rect", "geo", "hanning": the command line's names and the language keys of the heading.
std::string windowKey(int windowType);

}  // namespace krnz::spectrum
