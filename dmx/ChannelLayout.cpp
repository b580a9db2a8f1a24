// SPDX-License-Identifier: Apache-2.0
#include "dmx/ChannelLayout.h"

#include "dmx/DmxUniverse.h"

#include <cstdio>

namespace sus {

std::string channelName(int page, int fader)
{
    char name[8];
    std::snprintf(name, sizeof name, "CH%02d", kFaderCount * page + fader);
    return name;
}

std::string faderChannelNote(int address, int page, int fader)
{
    const std::size_t channel = faderSlot(address, page, fader);
    const std::string which = " DMX channel " + std::to_string(channel) + " (the fixture's channel " +
                              std::to_string(kFaderCount * page + fader) + " from address " +
                              std::to_string(address) + ")";
    if (channel <= kSentLevelCount)
        return channelName(page, fader) + " drives" + which + ".";
    return channelName(page, fader) + " would drive" + which + ": a frame carries channels 1 to " +
           std::to_string(kSentLevelCount) + " only, so no frame sends this level.";
}

std::string levelText(std::uint8_t level)
{
    return std::to_string(level);
}

} // namespace sus
