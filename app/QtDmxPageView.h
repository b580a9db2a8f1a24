// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "dmx/DmxPageView.h"

namespace sus {

class TForm2;

// The "DMX" page's controls as the channel console sees them.
class QtDmxPageView final : public DmxPageView {
public:
    explicit QtDmxPageView(TForm2& form) : form_(form) {}

    std::string addressText() const override;
    void setAddressText(const std::string& text) override;
    int selectedPage() const override;
    int faderPosition(int fader) const override;
    void setFaderPosition(int fader, int position) override;
    void setLevelText(int fader, const std::string& text) override;
    void setChannelName(int fader, const std::string& name) override;

private:
    TForm2& form_;
};

} // namespace sus
