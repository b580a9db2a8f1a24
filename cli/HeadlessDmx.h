// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "dmx/DmxOutputView.h"

namespace sus {
class DmxOutputLoop;
}

namespace sus::cli {

// The "DMX Output" check box of `mvt dmx`: checking it starts output, unchecking it (by the command
// or by the loop when the controller fails) runs the loop's click handler, as the box's toggle does.
class OutputBox : public DmxOutputView {
public:
    // The loop that the box's clicks go to; the loop itself is made with the box as its view.
    void attach(DmxOutputLoop& loop) { loop_ = &loop; }

    void setChecked(bool checked);
    bool checked() const { return checked_; }
    void uncheckOutputBox() override { setChecked(false); }
    // Nothing else takes the link's turn in mvt dmx: the box is always offered.
    void setOutputOffered(bool) override {}

private:
    DmxOutputLoop* loop_ = nullptr;
    bool checked_ = false;
};

} // namespace sus::cli
