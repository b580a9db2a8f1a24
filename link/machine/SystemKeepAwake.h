// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/KeepAwake.h"

#include <memory>
#include <string>

namespace sus {

// The machine kept awake as this platform does it, `who` naming the program to the system: on Linux
// a sleep and idle inhibitor of systemd-logind on the system bus, on Windows the thread's execution
// state. One source file per platform.
std::unique_ptr<KeepAwake> makeSystemKeepAwake(const std::string& who);

} // namespace sus
