// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace krnz {

// Worker threads made once and kept for the pool's life, so that work done side by side does
// not pay for starting threads on every call.
class WorkerPool {
  public:
    // Starts up to `workers` threads; fewer when the system gives no more.
    explicit WorkerPool(int workers);
    ~WorkerPool();  // joins the workers
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int workerCount() const { return static_cast<int>(m_threads.size()); }

    // Runs work(0) .. work(count - 1), each exactly once, on the workers and the calling thread,
    // and returns when all are done. Each call must touch only its own data. The first exception
    // thrown by a call is rethrown here once all have run. Safe to call from several threads at
    // once, and from inside work: the caller takes its own calls whenever no worker is free.
    void run(int count, const std::function<void(int)>& work);

  private:
    struct Batch;

    void workerLoop(std::stop_token stop);
    static void runCalls(Batch& batch);

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::deque<std::shared_ptr<Batch>> m_queue;  // batches that may still have calls to give out
    std::vector<std::jthread> m_threads;
};

// WorkerPool::run on one pool shared by the whole program, made on first use with one worker
// fewer than the machine has cores (the caller is the last).
void parallelFor(int count, const std::function<void(int)>& work);

// 1 keeps every later parallelFor on the calling thread; 0 (or anything else) lets it use the
// pool. For runs that want every call cheap and in one thread, such as the fuzz targets.
void setParallelThreadLimit(int threads);

}  // namespace krnz
