// SPDX-License-Identifier: Apache-2.0
#include "dmx/ChannelConsole.h"

#include "dmx/AddressField.h"
#include "dmx/ChannelLayout.h"
#include "dmx/DmxPageView.h"
#include "dmx/DmxUniverse.h"

#include <algorithm>

namespace sus {

ChannelConsole::ChannelConsole(DmxPageView& view, DmxUniverse& universe) : view_(view), universe_(universe) {}

void ChannelConsole::faderChanged(int fader)
{
    const std::uint8_t level = levelAtPosition(view_.faderPosition(fader));
    view_.setLevelText(fader, levelText(level));
    universe_.setLevel(currentSlot(fader), level);
}

void ChannelConsole::RadioGroup1Click()
{
    const int page = readPage();
    for (int fader = 1; fader <= kFaderCount; ++fader)
        view_.setChannelName(fader, channelName(page, fader));

    // Address and page are read afresh for every fader, as each fader change does.
    for (int fader = 1; fader <= kFaderCount; ++fader) {
        const std::uint8_t level = universe_.level(currentSlot(fader));
        view_.setLevelText(fader, levelText(level));
        view_.setFaderPosition(fader, positionForLevel(level));
    }
}

std::string ChannelConsole::faderToolTip(int fader) const
{
    // A field that is not a number is the minimum at the fader's next change.
    const std::optional<int> typed = parseAddress(view_.addressText());
    return faderChannelNote(typed ? clampAddress(*typed) : kMinAddress, readPage(), fader);
}

int ChannelConsole::readAddress()
{
    const std::optional<int> typed = parseAddress(view_.addressText());
    if (!typed) {
        view_.setAddressText(std::string(kFallbackAddressText));
        return kMinAddress;
    }
    return clampAddress(*typed);
}

int ChannelConsole::readPage() const
{
    return std::clamp(view_.selectedPage(), 0, kPageCount - 1);
}

std::size_t ChannelConsole::currentSlot(int fader)
{
    const int address = readAddress();
    return faderSlot(address, readPage(), fader);
}

} // namespace sus
