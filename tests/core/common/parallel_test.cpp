// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/parallel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace krnz {
namespace {

// Runs `count` calls on the pool and returns how often each index was called.
std::vector<int> callCounts(WorkerPool& pool, int count) {
    std::vector<std::atomic<int>> hits(static_cast<std::size_t>(count));
    pool.run(count, [&](int i) { ++hits[static_cast<std::size_t>(i)]; });
    std::vector<int> result;
    for (const auto& h : hits) result.push_back(h.load());
    return result;
}

class PoolSize : public ::testing::TestWithParam<int> {};

TEST_P(PoolSize, EveryCallRunsExactlyOnce) {
    WorkerPool pool(GetParam());
    for (const int count : {0, 1, 2, 3, 4, 5, 1000}) {
        const std::vector<int> hits = callCounts(pool, count);
        EXPECT_EQ(hits, std::vector<int>(static_cast<std::size_t>(count), 1)) << count << " calls";
    }
}

TEST_P(PoolSize, AThrownExceptionComesBackAfterEveryOtherCallRan) {
    WorkerPool pool(GetParam());
    std::vector<std::atomic<int>> hits(64);
    try {
        pool.run(64, [&](int i) {
            ++hits[static_cast<std::size_t>(i)];
            if (i == 37) throw std::runtime_error("call 37");
        });
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "call 37");
    }
    for (std::size_t i = 0; i < hits.size(); ++i) EXPECT_EQ(hits[i].load(), 1) << "call " << i;
    // The pool is whole afterwards.
    EXPECT_EQ(callCounts(pool, 10), std::vector<int>(10, 1));
}

TEST_P(PoolSize, RepeatedCallsEachFinishTheirWork) {
    WorkerPool pool(GetParam());
    for (int round = 0; round < 500; ++round) {
        std::vector<long> out(4, 0);
        pool.run(4, [&](int i) { out[static_cast<std::size_t>(i)] = round * 10 + i; });
        for (int i = 0; i < 4; ++i) ASSERT_EQ(out[static_cast<std::size_t>(i)], round * 10 + i);
    }
}

TEST_P(PoolSize, ReturnsOnlyWhenEveryCallIsDone) {
    WorkerPool pool(GetParam());
    std::vector<std::atomic<bool>> done(8);
    pool.run(8, [&](int i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(i % 2 ? 20 : 1));
        done[static_cast<std::size_t>(i)] = true;
    });
    for (std::size_t i = 0; i < done.size(); ++i) EXPECT_TRUE(done[i].load()) << "call " << i;
}

// Two threads share the pool, and calls may start calls of their own without waiting on one
// another for ever.
TEST_P(PoolSize, TwoCallersAndNestedCalls) {
    WorkerPool pool(GetParam());
    std::atomic<int> wrong{0};
    auto caller = [&] {
        for (int round = 0; round < 100; ++round) {
            std::vector<std::atomic<int>> hits(6 * 5);
            pool.run(6, [&](int i) {
                pool.run(5, [&](int k) { ++hits[static_cast<std::size_t>(i * 5 + k)]; });
            });
            for (const auto& h : hits) wrong += h != 1;
        }
    };
    std::thread other(caller);
    caller();
    other.join();
    EXPECT_EQ(wrong.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(Workers, PoolSize, ::testing::Values(0, 1, 3),
                         [](const auto& info) { return std::to_string(info.param) + "workers"; });

thread_local bool tSeen = false;

// Counts the threads that run a call for the first time over many parallelFor calls; threads
// started per call would each be new.
TEST(ParallelFor, MakesItsThreadsOnce) {
    std::atomic<int> fresh{0};
    for (int round = 0; round < 100; ++round) {
        parallelFor(4, [&](int) {
            if (!tSeen) tSeen = true, ++fresh;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        });
    }
    EXPECT_LE(fresh.load(), static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    EXPECT_GE(fresh.load(), 1);
}

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
