// SPDX-License-Identifier: Apache-2.0
#include "bench/BenchLoop.h"

#include <QTimer>

namespace sus::bench {

bool BenchLoop::run(const std::function<void()>& start, std::chrono::milliseconds limit)
{
    quit_ = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &loop_, &QEventLoop::quit);
    watchdog.start(limit);
    QTimer::singleShot(0, &loop_, start);
    loop_.exec();
    return quit_;
}

void BenchLoop::quit()
{
    quit_ = true;
    loop_.quit();
}

} // namespace sus::bench
