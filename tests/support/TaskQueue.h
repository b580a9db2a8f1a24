// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Executor.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace sus::test {

// The window's side in tests of the line's own thread, without Qt: what is posted from any thread
// waits here until the test's thread runs it, in order, in runUntil().
class TaskQueue final : public Executor {
public:
    void post(std::function<void()> task) override;

    // Runs what is posted until `done` holds (asked before and after each task); false when `limit`
    // passed first.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::milliseconds(20'000));
    // Runs what has been posted and not run yet: once the line has stopped, the last it told.
    void runPosted();

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

} // namespace sus::test
