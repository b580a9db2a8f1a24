#pragma once

#include "core/Timer.h"

#include <memory>

namespace sus {

// The timer that paces transmission in real time, ticking on the GUI thread's event loop: the
// best this platform offers at waking on time. On Linux a kernel timer on the monotonic clock with
// absolute expiry times; elsewhere a precise Qt timer.
std::unique_ptr<Timer> createRealTimeTimer();

} // namespace sus
