// SPDX-License-Identifier: Apache-2.0
#include "cli/RealTimePacer.h"

#include "cli/Interrupt.h"

#include <QEventLoop>
#include <QTimer>

namespace sus::cli {

namespace {
// How often the wait looks at `done` and at Ctrl+C between what the line posts back.
constexpr int kLookEveryMs = 20;
} // namespace

RealTimePacer::RealTimePacer()
{
    catchInterrupt();
}

Pacer::RunEnd RealTimePacer::runUntil(const std::function<bool()>& done)
{
    if (done())
        return RunEnd::Done;
    QEventLoop loop;
    RunEnd end = RunEnd::Done;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (done())
            end = RunEnd::Done;
        else if (takeInterrupt())
            end = RunEnd::Interrupted;
        else
            return;
        loop.quit();
    });
    look.start(kLookEveryMs);
    loop.exec();
    return end;
}

} // namespace sus::cli
