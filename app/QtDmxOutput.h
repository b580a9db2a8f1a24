// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "dmx/DmxOutputView.h"

namespace sus {

class TForm2;

// The "DMX Output" check box as the output loop sees it. Every way of turning output off goes
// through unchecking the box, so its click handler runs as on a user's uncheck.
class QtDmxOutput final : public DmxOutputView {
public:
    explicit QtDmxOutput(TForm2& form) : form_(form) {}

    void uncheckOutputBox() override;
    void setOutputOffered(bool offered) override;

private:
    TForm2& form_;
};

} // namespace sus
