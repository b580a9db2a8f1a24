// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"

#include <cstdint>
#include <vector>

namespace sus {

// One write as it went out on the line: when its first character started (ns from the link's
// open), the line state in force when it was written, and its bytes.
struct WireWrite {
    std::int64_t startNs = 0;
    LineState line;
    std::vector<std::uint8_t> bytes;

    // When the stop bit of its last character ends.
    std::int64_t endNs() const;
};

} // namespace sus
