// SPDX-License-Identifier: Apache-2.0
#include "core/MessageLines.h"

namespace sus {

std::string withDetailLines(std::string_view message, std::initializer_list<std::string_view> details)
{
    std::string text(message);
    for (const std::string_view detail : details) {
        if (detail.empty())
            continue;
        text += '\n';
        text += detail;
    }
    return text;
}

} // namespace sus
