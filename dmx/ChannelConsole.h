// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <string>

namespace sus {

class DmxPageView;
class DmxUniverse;

// The sixteen paged faders that edit the universe. The address and the page are read from their
// controls at every change; the console keeps no copy of either, nor of any level.
class ChannelConsole {
public:
    ChannelConsole(DmxPageView& view, DmxUniverse& universe);

    // What the change events of TrackBar1..TrackBar16 do (`fader` 1..16): stores the fader's level in its
    // slot under the current address and page, and shows it in the fader's read-out.
    void faderChanged(int fader);

    // RadioGroup1's click event: names the faders after the selected page's channels and moves
    // them to the levels stored under the current address. Storing back what they show, it writes
    // no new level. The window also runs it once at start to fill the page's captions.
    void RadioGroup1Click();

    // What fader `fader` drives under the address and page as they stand, for its tooltip; the
    // address field is read, never mended.
    std::string faderToolTip(int fader) const;

private:
    // The address in range: text that is not a number reads as the minimum and is replaced by it;
    // a typed value still out of range (the field has the focus) counts as the nearer limit.
    int readAddress();
    int readPage() const;
    std::size_t currentSlot(int fader);

    DmxPageView& view_;
    DmxUniverse& universe_;
};

} // namespace sus
