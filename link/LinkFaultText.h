// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"

#include <string>
#include <string_view>

namespace sus {

class Link;

// What went wrong with the port and what the user can do about it, in one line; empty for
// Kind::None.
std::string faultReason(const DeviceFault& fault);

// `message` as it always read, then the port the link tried and the reason, each on a line of its
// own. The message alone when the link has no fault to tell.
std::string linkFaultText(std::string_view message, const Link& link);

} // namespace sus
