// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/fft.h"

#include <fftw3.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <new>

#include "core/spectrum/scratch_pool.h"
#include "core/spectrum/work_buffer.h"

namespace krnz::spectrum {
namespace {

// FFTW's planner and plan destruction share global state; execution of an existing plan on new
// arrays is thread-safe. Recursive, because a plan dropped from the cache while the lock is held
// takes it again in its destructor.
std::recursive_mutex& plannerMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

// Transform buffers, grown when a longer segment comes. Their alignment (64 bytes or more)
// satisfies every SIMD alignment FFTW plans for.
struct Buffers {
    WorkBuffer in;
    WorkBuffer out;

    bool reserve(std::size_t points) {
        return in.reserve<double>(points) && out.reserve<fftw_complex>(points / 2 + 1);
    }
};

class Plan {
  public:
    Plan(int size, fftw_plan plan) : m_size(size), m_plan(plan) {}
    Plan(const Plan&) = delete;
    Plan& operator=(const Plan&) = delete;
    ~Plan() {
        const std::lock_guard lock(plannerMutex());
        fftw_destroy_plan(m_plan);
    }
    int size() const { return m_size; }
    // in and out must be aligned as the planning buffers were.
    void execute(double* in, fftw_complex* out) const { fftw_execute_dft_r2c(m_plan, in, out); }

  private:
    int m_size;
    fftw_plan m_plan;
};

// A few sizes are enough: a spectrum run uses one size for all four channels.
constexpr std::size_t kCachedPlans = 4;

std::deque<std::shared_ptr<const Plan>>& planCache() {
    static std::deque<std::shared_ptr<const Plan>> cache;
    return cache;
}

std::shared_ptr<const Plan> planFor(int size) {
    const std::lock_guard lock(plannerMutex());
    auto& cache = planCache();
    const auto found = std::find_if(cache.begin(), cache.end(),
                                    [size](const auto& p) { return p->size() == size; });
    if (found != cache.end()) return *found;

    // FFTW_ESTIMATE leaves the arrays untouched, so scratch buffers serve for planning; they are
    // aligned as the buffers the plan will run on.
    Buffers scratch;
    if (!scratch.reserve(static_cast<std::size_t>(size))) return nullptr;
    const fftw_plan raw = fftw_plan_dft_r2c_1d(size, scratch.in.as<double>(),
                                               scratch.out.as<fftw_complex>(), FFTW_ESTIMATE);
    if (!raw) return nullptr;
    std::shared_ptr<const Plan> plan;
    try {
        plan = std::make_shared<const Plan>(size, raw);
    } catch (const std::bad_alloc&) {
        fftw_destroy_plan(raw);
        return nullptr;
    }
    try {
        if (cache.size() == kCachedPlans) cache.pop_front();
        cache.push_back(plan);
    } catch (const std::bad_alloc&) {
        // Uncached, the plan still serves this call.
    }
    return plan;
}

ScratchPool<Buffers>& bufferPool() {
    static ScratchPool<Buffers> pool;
    return pool;
}

}  // namespace

std::int32_t fftthis(std::span<const double> segment, std::vector<double>& y) {
    y.clear();
    const std::size_t n = segment.size();
    if (n == 0 || n > static_cast<std::size_t>(INT_MAX - 1)) return 0;
    const std::size_t m = (n + 1) / 2;
    const std::size_t padded = 2 * m;

    try {
        const std::shared_ptr<const Plan> plan = planFor(static_cast<int>(padded));
        ScratchPool<Buffers>::Lease buffers(bufferPool());
        if (!plan || !buffers->reserve(padded)) return 0;
        double* in = buffers->in.as<double>();
        fftw_complex* out = buffers->out.as<fftw_complex>();
        std::copy(segment.begin(), segment.end(), in);
        std::fill(in + n, in + padded, 0.0);
        plan->execute(in, out);

        y.resize(m);
        const double lines = static_cast<double>(m);
        for (std::size_t k = 0; k < m; ++k) {
            y[k] = std::sqrt(out[k][0] * out[k][0] + out[k][1] * out[k][1]) / lines;
        }
        return static_cast<std::int32_t>(m);
    } catch (const std::bad_alloc&) {
        y.clear();
        return 0;
    }
}

void prepareFft(std::size_t n) {
    if (n == 0 || n > static_cast<std::size_t>(INT_MAX - 1)) return;
    try {
        planFor(static_cast<int>(2 * ((n + 1) / 2)));
    } catch (const std::bad_alloc&) {
        // fftthis will report it.
    }
}

void releaseFftCaches() {
    bufferPool().clear();
    // Plans still executing in another thread stay alive through their shared_ptr.
    const std::lock_guard lock(plannerMutex());
    planCache().clear();
}

}  // namespace krnz::spectrum
