// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"
#include "core/Executor.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace sus::bench {

// The window's thread as a benchmark sees it: every task the line posts there is timed from its
// posting to its start (how long the window's event loop took to get to it) and through its run (how
// long it kept the loop from other events), and counted to the tick that posted it.
class TimedWindow final : public Executor {
public:
    // `window` runs the tasks; `currentTick` names the tick running on the line's thread as it posts.
    TimedWindow(Executor& window, const Clock& clock, std::function<std::size_t()> currentTick);

    void post(std::function<void()> task) override;

    // Read on the window's thread.
    const std::vector<std::int64_t>& latenciesNs() const { return latenciesNs_; }
    // What each tick's tasks together kept the loop busy.
    std::vector<std::int64_t> blockedPerTickNs() const;

private:
    Executor& window_;
    const Clock& clock_;
    std::function<std::size_t()> currentTick_;
    // The window's thread.
    std::vector<std::int64_t> latenciesNs_;
    std::map<std::size_t, std::int64_t> blockedByTickNs_;
};

} // namespace sus::bench
