// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/RunEnding.h"
#include "update/RunLength.h"
#include "update/RunRequest.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sus {

// What a run of a request puts on the line, read off its script with no device and no time
// passing: for a witness to compare with, and for the run's length before it starts.
struct RunPlan {
    struct Unit {
        bool wakeUp = false;             // a wake-up frame's zeros; otherwise a packet's bytes
        std::vector<std::uint8_t> bytes; // as a receiver hears them
        std::int64_t atMs = 0;           // the tick that sends it, counted from Start
    };
    std::vector<Unit> units;
    // From Start to the link closing, the finish message aside.
    RunLength length;
    // How the run would end when it would not finish (a wrong password, a file that cannot be sent),
    // and what the user would be told.
    std::optional<RunEnding> refusal;
    std::string message;
};

// The run of `request` as its script sends it, Timer1 at the interval it has at the program's start.
RunPlan planRun(const RunRequest& request);

// How long a run of `files` from `selectedIndex` on takes when each file's password is right (what
// the password is does not change the run's pace); nothing when one of them cannot be sent.
std::optional<RunLength> lengthWhenPasswordsAreRight(const std::vector<std::string>& files,
                                                     int selectedIndex);

} // namespace sus
