// SPDX-License-Identifier: Apache-2.0
#include "dmx/ChannelLayout.h"

#include <cstdio>

namespace sus {

std::string channelName(int page, int fader)
{
    char name[8];
    std::snprintf(name, sizeof name, "CH%02d", kFaderCount * page + fader);
    return name;
}

std::string levelText(std::uint8_t level)
{
    return std::to_string(level);
}

} // namespace sus
