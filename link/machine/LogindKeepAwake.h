// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/KeepAwake.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

#include <functional>
#include <optional>
#include <string>

namespace sus {

// A sleep and idle inhibitor of systemd-logind ("block" mode): logind holds off suspend and the idle
// action for as long as the file descriptor its Inhibit call returned stays open. The call is made
// without waiting; the answer comes through the event loop of the thread that made the hold. The
// bus is reached at the first hold, so a program that never runs an update never connects to it.
class LogindKeepAwake final : public KeepAwake {
public:
    LogindKeepAwake(std::function<QDBusConnection()> bus, std::string who);

    void hold(Answered answered) override;
    void release() override;

private:
    std::function<QDBusConnection()> reachBus_;
    std::optional<QDBusConnection> bus_;
    std::string who_;
    QObject context_;              // where the answers are handled; they die with it
    QDBusUnixFileDescriptor lock_; // held while valid
    unsigned holds_ = 0;           // counts holds and releases: an answer to an older one is dropped
};

} // namespace sus
