#pragma once

namespace sus {

// What an update run needs of DMX output, the other user of the link: output is turned off before
// the run opens the link, and cannot be turned on again while the run lasts.
class DmxOutputControl {
public:
    virtual ~DmxOutputControl() = default;

    // Unchecks "DMX Output" (its click handler runs, closing the link) and stops its timer.
    virtual void turnOff() = 0;

    // Whether "DMX Output" can be checked.
    virtual void setAvailable(bool available) = 0;
};

} // namespace sus
