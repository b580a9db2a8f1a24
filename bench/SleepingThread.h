// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace sus::bench {

// What the machine itself allows: a thread that sleeps to a steady beat with the operating system's
// own precise sleep, no event loop in between, noting how late it woke. Run beside a measurement,
// it tells the machine's noise from the program's.
class SleepingThread {
public:
    explicit SleepingThread(std::chrono::milliseconds beat);
    SleepingThread(const SleepingThread&) = delete;
    SleepingThread& operator=(const SleepingThread&) = delete;

    // Stops and returns how late each beat woke, in ns.
    std::vector<std::int64_t> stop();
    std::chrono::milliseconds beat() const { return beat_; }

private:
    std::chrono::milliseconds beat_;
    std::vector<std::int64_t> latenessNs_; // the thread's alone until it is joined
    std::jthread thread_;
};

} // namespace sus::bench
