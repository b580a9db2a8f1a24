// SPDX-License-Identifier: Apache-2.0
#include "bench/SleepingThread.h"

namespace sus::bench {

SleepingThread::SleepingThread(std::chrono::milliseconds beat)
    : beat_(beat), thread_([this](std::stop_token stop) {
          using Clock = std::chrono::steady_clock;
          auto due = Clock::now();
          while (!stop.stop_requested()) {
              due += beat_;
              std::this_thread::sleep_until(due);
              latenessNs_.push_back(
                  std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - due).count());
          }
      })
{
}

std::vector<std::int64_t> SleepingThread::stop()
{
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
    return latenessNs_;
}

} // namespace sus::bench
