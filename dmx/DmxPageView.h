// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>

namespace sus {

// The controls of the "DMX" page as the channel console sees them. Faders are numbered 1 to 16;
// fader N's read-out is Label(21+N) and its channel name Label(5+N). Pages are 0 to 3.
class DmxPageView {
public:
    virtual ~DmxPageView() = default;

    // The address field CSpinEdit1, as typed (it may hold text not yet brought into range).
    virtual std::string addressText() const = 0;
    virtual void setAddressText(const std::string& text) = 0;

    // The index of RadioGroup1's selected item.
    virtual int selectedPage() const = 0;

    // TrackBarN's position, 0 (top) to 255 (bottom). Setting a different position runs the
    // console's faderChanged(N) before returning, as the track bar's change signal does; setting
    // the position it already has runs nothing.
    virtual int faderPosition(int fader) const = 0;
    virtual void setFaderPosition(int fader, int position) = 0;

    // Fader N's read-out caption and channel name caption.
    virtual void setLevelText(int fader, const std::string& text) = 0;
    virtual void setChannelName(int fader, const std::string& name) = 0;
};

} // namespace sus
