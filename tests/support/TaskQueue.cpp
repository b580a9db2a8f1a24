// SPDX-License-Identifier: Apache-2.0
#include "tests/support/TaskQueue.h"

namespace sus::test {

void TaskQueue::post(std::function<void()> task)
{
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    posted_.notify_one();
}

bool TaskQueue::runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        std::unique_lock lock(mutex_);
        if (!posted_.wait_until(lock, deadline, [&] { return !tasks_.empty(); }))
            return false;
        const std::function<void()> task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        task();
    }
    return true;
}

void TaskQueue::runPosted()
{
    for (;;) {
        std::unique_lock lock(mutex_);
        if (tasks_.empty())
            return;
        const std::function<void()> task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        task();
    }
}

} // namespace sus::test
