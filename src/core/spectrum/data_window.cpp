// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/data_window.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <mutex>
#include <string>

#include "core/common/error.h"
#include "core/common/value_format.h"

namespace krnz::spectrum {
namespace {

// The constants are written with 15 digits, not taken from <numbers>, so that every weight comes
// out bit for bit as the established program computes it.
constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kGeoGain = 10.0 / 9.0;

DataWindow geoWindow(std::int32_t n) {
    const std::int32_t taper = cLng(0.1 * n);
    if (taper == 0) {
        throw Error(kErrDivisionByZero,
                    "The GEO window needs a segment of at least 6 samples; it has " +
                        std::to_string(n) + ".");
    }
    DataWindow window;
    window.weights.resize(static_cast<std::size_t>(n));
    auto head = [taper](std::int32_t k) {
        return (1.0 + std::sin(k * kPi / taper - kPi / 2)) * kGeoGain / 2;
    };
    double s1 = 0.0;
    double s2 = 0.0;
    auto put = [&](std::int32_t k, double w) {
        window.weights[static_cast<std::size_t>(k)] = w;
        s1 += w;
        s2 += w * w;
    };
    for (std::int32_t k = 0; k <= taper; ++k) put(k, head(k));
    for (std::int32_t k = taper + 1; k <= n - taper - 2; ++k) put(k, kGeoGain);
    for (std::int32_t k = n - 1 - taper; k <= n - 1; ++k) put(k, head(n - 1 - k));
    window.A = s1 / n;
    window.B = (s2 / n) / (window.A * window.A);
    return window;
}

DataWindow hanningWindow(std::int32_t n) {
    DataWindow window;
    window.weights.resize(static_cast<std::size_t>(n));
    for (std::int32_t k = 0; k < n; ++k) {
        window.weights[static_cast<std::size_t>(k)] = (std::cos(kTwoPi * k / n - kPi) + 1.0) / 2;
    }
    window.A = 0.5;
    window.B = 1.5;
    return window;
}

struct WindowCache {
    std::mutex mutex;
    int windowType = 0;
    std::int32_t n = 0;
    std::shared_ptr<const DataWindow> window;
};

WindowCache& windowCache() {
    static WindowCache cache;
    return cache;
}

// Every type other than rect and GEO is the same Hanning window.
int canonicalType(int windowType) {
    return windowType == kWindowRect || windowType == kWindowGeo ? windowType : kWindowHanning;
}

}  // namespace

DataWindow makeDataWindow(int windowType, std::int32_t n) {
    if (n <= 0) throw Error(kErrSubscript, "The spectrum segment is empty.");
    switch (windowType) {
        case kWindowRect:
            return {};
        case kWindowGeo:
            return geoWindow(n);
        default:
            return hanningWindow(n);
    }
}

std::shared_ptr<const DataWindow> cachedDataWindow(int windowType, std::int32_t n) {
    const int type = canonicalType(windowType);
    WindowCache& cache = windowCache();
    {
        const std::lock_guard lock(cache.mutex);
        if (cache.window && cache.windowType == type && cache.n == n) return cache.window;
    }
    auto window = std::make_shared<const DataWindow>(makeDataWindow(type, n));
    const std::lock_guard lock(cache.mutex);
    cache.windowType = type;
    cache.n = n;
    cache.window = window;
    return window;
}

void releaseDataWindowCache() {
    std::shared_ptr<const DataWindow> dropped;
    const std::lock_guard lock(windowCache().mutex);
    dropped.swap(windowCache().window);
}

void applyWindow(std::span<double> x, const DataWindow& window) {
    if (window.weights.empty()) return;
    assert(x.size() == window.weights.size());
    for (std::size_t k = 0; k < x.size(); ++k) x[k] *= window.weights[k];
}

double dcBandwidthLines(int windowType) {
    switch (windowType) {
        case kWindowRect:
            return 0.89;
        case kWindowGeo:
            return 1.0;
        default:
            return 1.28;
    }
}

std::string windowKey(int windowType) {
    switch (windowType) {
        case kWindowRect:
            return "rect";
        case kWindowGeo:
            return "geo";
        default:
            return "hanning";
    }
}

}  // namespace krnz::spectrum
