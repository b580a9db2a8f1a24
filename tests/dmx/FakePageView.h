// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "dmx/ChannelConsole.h"
#include "dmx/ChannelLayout.h"
#include "dmx/DmxPageView.h"

#include <array>
#include <string>

namespace sus::test {

// The "DMX" page's controls in memory, raising the console's events as the real controls do:
// a fader's change only when its position really changes, the page click only when the page does.
class FakePageView : public DmxPageView {
public:
    std::string address = "1";
    int page = 0;
    std::array<int, kFaderCount> positions;
    std::array<std::string, kFaderCount> levelTexts;
    std::array<std::string, kFaderCount> names;
    ChannelConsole* console = nullptr;

    FakePageView()
    {
        positions.fill(kFaderBottom);
        levelTexts.fill("0");
        for (int fader = 1; fader <= kFaderCount; ++fader)
            names[fader - 1] = channelName(0, fader);
    }

    // What the user does.
    void moveFader(int fader, int position) { setFaderPosition(fader, position); }
    void selectPage(int newPage)
    {
        if (newPage == page)
            return;
        page = newPage;
        console->RadioGroup1Click();
    }

    // What the user sees.
    const std::string& levelText(int fader) const { return levelTexts[fader - 1]; }
    const std::string& name(int fader) const { return names[fader - 1]; }

    std::string addressText() const override { return address; }
    void setAddressText(const std::string& text) override { address = text; }
    int selectedPage() const override { return page; }
    int faderPosition(int fader) const override { return positions[fader - 1]; }
    void setFaderPosition(int fader, int position) override
    {
        if (positions[fader - 1] == position)
            return;
        positions[fader - 1] = position;
        console->faderChanged(fader);
    }
    void setLevelText(int fader, const std::string& text) override { levelTexts[fader - 1] = text; }
    void setChannelName(int fader, const std::string& text) override { names[fader - 1] = text; }
};

} // namespace sus::test
