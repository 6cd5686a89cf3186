// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>

namespace krnz {

struct WorkerPool::Batch {
    Batch(int count, const std::function<void(int)>& work) : count(count), work(work) {}

    const int count;
    const std::function<void(int)>& work;
    std::atomic<int> next{0};
    std::mutex mutex;  // guards done and failure
    std::condition_variable finished;
    int done = 0;
    std::exception_ptr failure;
};

WorkerPool::WorkerPool(int workers) {
    for (int t = 0; t < workers; ++t) {
        try {
            m_threads.emplace_back([this](std::stop_token stop) { workerLoop(stop); });
        } catch (const std::system_error&) {
            break;  // no more threads to be had: the callers do the rest
        }
    }
}

WorkerPool::~WorkerPool() {
    for (std::jthread& t : m_threads) t.request_stop();
    m_wake.notify_all();
    m_threads.clear();  // joins
}

void WorkerPool::runCalls(Batch& batch) {
    for (int i = batch.next++; i < batch.count; i = batch.next++) {
        std::exception_ptr failure;
        try {
            batch.work(i);
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(batch.mutex);
        if (failure && !batch.failure) batch.failure = failure;
        if (++batch.done == batch.count) batch.finished.notify_all();
    }
}

void WorkerPool::workerLoop(std::stop_token stop) {
    std::unique_lock lock(m_mutex);
    while (m_wake.wait(lock, stop, [this] { return !m_queue.empty(); })) {
        const std::shared_ptr<Batch> batch = m_queue.front();
        lock.unlock();
        runCalls(*batch);
        lock.lock();
        // Every call of the batch is given out: it leaves the queue for the next one.
        if (!m_queue.empty() && m_queue.front() == batch) m_queue.pop_front();
    }
}

void WorkerPool::run(int count, const std::function<void(int)>& work) {
    if (count <= 0) return;
    const auto batch = std::make_shared<Batch>(count, work);
    const bool shared = count > 1 && !m_threads.empty();
    if (shared) {
        {
            const std::lock_guard lock(m_mutex);
            m_queue.push_back(batch);
        }
        m_wake.notify_all();
    }
    runCalls(*batch);
    if (!shared) {
        if (batch->failure) std::rethrow_exception(batch->failure);
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        const auto it = std::find(m_queue.begin(), m_queue.end(), batch);
        if (it != m_queue.end()) m_queue.erase(it);
    }
    std::unique_lock lock(batch->mutex);
    batch->finished.wait(lock, [&] { return batch->done == batch->count; });
    if (batch->failure) std::rethrow_exception(batch->failure);
}

namespace {

std::atomic<int> threadLimit{0};

}  // namespace

void setParallelThreadLimit(int threads) {
    threadLimit = threads;
}

void parallelFor(int count, const std::function<void(int)>& work) {
    if (threadLimit == 1) {
        WorkerPool(0).run(count, work);  // no threads: the same order and failure rule
        return;
    }
    static WorkerPool pool(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())) - 1);
    pool.run(count, work);
}

}  // namespace krnz
