// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/LinePriority.h"

#include <QDBusConnection>

#include <cstdint>

namespace sus {

// Asks RealtimeKit on `bus` for real-time scheduling of this process's thread `threadId` (a Linux
// thread id): the way a desktop lets an unprivileged program have it, within the limits RealtimeKit
// sets. It wants the process's RLIMIT_RTTIME bounded by its own limit, which is set here first: a
// real-time thread that ran that long without waiting would be stopped, and the line's never does.
// Blocks until RealtimeKit has answered, briefly.
LinePriority askRealtimeKit(const QDBusConnection& bus, std::int64_t threadId);

} // namespace sus
