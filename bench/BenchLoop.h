// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QEventLoop>

#include <chrono>
#include <functional>

namespace sus::bench {

// The event loop of one measurement: it runs `start` first and goes on until quit(), or until
// `limit` has passed, so that a run that never ends (it should not happen) cannot hang the benchmark.
class BenchLoop {
public:
    // False when the limit ended it.
    bool run(const std::function<void()>& start, std::chrono::milliseconds limit);
    void quit();

private:
    QEventLoop loop_;
    bool quit_ = false;
};

} // namespace sus::bench
