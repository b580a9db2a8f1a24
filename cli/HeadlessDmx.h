#pragma once

#include "dmx/DmxOutputView.h"
#include "update/DmxOutputControl.h"

namespace sus {
class DmxOutputLoop;
}

namespace sus::cli {

// DMX output as an update run of `mvt send` sees it: there is none, since each mvt process does one
// thing, so there is nothing to turn off and no box to make available.
class NoDmxOutput : public DmxOutputControl {
public:
    void turnOff() override {}
    void setAvailable(bool) override {}
};

// The "DMX Output" check box of `mvt dmx`: checking it starts output, unchecking it (by the command
// or by the loop when the controller fails) runs the loop's click handler, as the box's toggle does.
class OutputBox : public DmxOutputView {
public:
    // The loop that the box's clicks go to; the loop itself is made with the box as its view.
    void attach(DmxOutputLoop& loop) { loop_ = &loop; }

    void setChecked(bool checked);
    bool checked() const { return checked_; }
    void uncheckOutputBox() override { setChecked(false); }

private:
    DmxOutputLoop* loop_ = nullptr;
    bool checked_ = false;
};

} // namespace sus::cli
