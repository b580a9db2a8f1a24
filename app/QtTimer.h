#pragma once

#include "core/Timer.h"

#include <QTimer>

namespace sus {

// A window timer over a precise QTimer, ticking on the GUI thread's event loop.
class QtTimer final : public Timer {
public:
    QtTimer();

    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }
    void setInterval(int milliseconds) override;
    int interval() const override { return intervalMs_; }
    void setOnTick(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    void startPeriod();

    QTimer timer_;
    bool enabled_ = false;
    int intervalMs_ = 0;
    std::function<void()> handler_;
};

} // namespace sus
