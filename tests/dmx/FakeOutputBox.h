// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "dmx/DmxOutputLoop.h"
#include "dmx/DmxOutputView.h"

namespace sus::test {

// "DMX Output": raises CheckBox1Click only when its state really changes, as the check box does.
class FakeOutputBox : public DmxOutputView {
public:
    bool checked = false;
    bool offered = true;
    DmxOutputLoop* loop = nullptr;

    void setChecked(bool value)
    {
        if (checked == value)
            return;
        checked = value;
        loop->CheckBox1Click(value);
    }
    void uncheckOutputBox() override { setChecked(false); }
    void setOutputOffered(bool value) override { offered = value; }
};

} // namespace sus::test
