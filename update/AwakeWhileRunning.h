// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/KeepAwake.h"
#include "update/UpdateRunListener.h"

#include <string>
#include <utility>

namespace sus {

// Keeps the machine awake from a run's start until it has ended, however it ends (finished,
// stopped, a file refused, the controller unplugged, the window closed). Where the machine cannot
// be kept awake the run goes on all the same; `answered` is where the user is told.
class AwakeWhileRunning final : public UpdateRunListener {
public:
    AwakeWhileRunning(KeepAwake& keepAwake, KeepAwake::Answered answered)
        : keepAwake_(keepAwake), answered_(std::move(answered))
    {
    }

    void updateRunStarted(const RunRequest&) override { keepAwake_.hold(answered_); }
    void updateRunEnded(const RunProgress&) override { keepAwake_.release(); }

private:
    KeepAwake& keepAwake_;
    KeepAwake::Answered answered_;
};

// What the user is told when the machine could not be kept awake.
inline std::string machineMaySleepText(const KeepAwake::Answer& answer)
{
    return "The computer may go to sleep during the update and cut the controller off; it could not be kept "
           "awake: " +
           answer.whyNot + ".";
}

} // namespace sus
