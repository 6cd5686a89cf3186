// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace krnz {
namespace {

std::atomic<int> threadLimit{0};

}  // namespace

void setParallelThreadLimit(int threads) {
    threadLimit = std::max(threads, 0);
}

void parallelFor(int count, const std::function<void(int)>& work) {
    int threads = std::min<int>(count, std::max(1u, std::thread::hardware_concurrency()));
    if (const int limit = threadLimit; limit > 0) threads = std::min(threads, limit);
    if (threads <= 1) {
        for (int i = 0; i < count; ++i) work(i);
        return;
    }
    std::atomic<int> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    auto worker = [&] {
        for (int i = next++; i < count; i = next++) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard lock(failureMutex);
                if (!failure) failure = std::current_exception();
            }
        }
    };
    std::vector<std::jthread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    pool.clear();  // joins
    if (failure) std::rethrow_exception(failure);
}

}  // namespace krnz
