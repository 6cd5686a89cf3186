// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "core/common/parallel.h"

namespace krnz {
namespace {

// The threads that ran work(0) .. work(count - 1), and how often each index ran. Each call
// lasts a while, so that a second thread, where there is one, surely takes part.
struct Spread {
    std::set<std::thread::id> threads;
    std::vector<int> calls;
};

Spread runSlowly(int count) {
    Spread run;
    run.calls.assign(static_cast<std::size_t>(count), 0);
    std::mutex mutex;
    parallelFor(count, [&](int i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const std::lock_guard lock(mutex);
        run.threads.insert(std::this_thread::get_id());
        ++run.calls[static_cast<std::size_t>(i)];
    });
    return run;
}

struct LimitLifted {
    ~LimitLifted() { setParallelThreadLimit(0); }
};

TEST(ParallelFor, ThreadLimitKeepsEveryCallOnTheCallingThread) {
    const LimitLifted lifted;
    setParallelThreadLimit(1);
    const Spread limited = runSlowly(8);
    EXPECT_EQ(limited.threads, std::set<std::thread::id>{std::this_thread::get_id()});
    EXPECT_EQ(limited.calls, std::vector<int>(8, 1));

    setParallelThreadLimit(0);
    const Spread unlimited = runSlowly(8);
    EXPECT_EQ(unlimited.calls, std::vector<int>(8, 1));
    if (std::thread::hardware_concurrency() > 1) {
        EXPECT_GT(unlimited.threads.size(), 1u);
    }
}

}  // namespace
}  // namespace krnz
