#pragma once

#include "dmx/DmxOutputView.h"
#include "update/DmxOutputControl.h"

namespace sus {

class TForm2;

// The "DMX Output" check box and its timer, as the output loop and the update run see them. Every
// way of turning output off goes through unchecking the box, so its click handler runs as on a
// user's uncheck.
class QtDmxOutput final : public DmxOutputView, public DmxOutputControl {
public:
    explicit QtDmxOutput(TForm2& form) : form_(form) {}

    // DmxOutputView
    void uncheckOutputBox() override;

    // DmxOutputControl
    void turnOff() override;
    void setAvailable(bool available) override;

private:
    TForm2& form_;
};

} // namespace sus
