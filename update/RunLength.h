// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/RunProgress.h"

#include <cstdint>
#include <string>

namespace sus {

// How long a run takes from Start to the link closing, the finish message aside, and where the
// time goes, as the run's script paces it: each tick's interval counts to the phase it ends.
struct RunLength {
    std::int64_t totalMs = 0;
    std::int64_t wakeUpMs = 0;    // the wake-up frames
    std::int64_t handshakeMs = 0; // the identification rounds
    std::int64_t pausesMs = 0;    // the long pauses
    std::int64_t filesMs = 0;     // each file's packets, its blocks twice
    std::int64_t finishMs = 0;    // FinishUpdate or AbortUpdate, and the link closing

    // The time up to a tick in `phase`.
    void add(RunProgress::Phase phase, std::int64_t ms);
};

// A length to the millisecond as a technician reads it: "850 ms", "12.340 s", "3 min 07.020 s".
std::string millisecondsText(std::int64_t ms);

// "12.340 s (wake-up frames 4.120 s, handshake 420 ms, pauses 2.000 s, files 5.780 s, finish 20 ms)"
std::string runLengthText(const RunLength& length);

} // namespace sus
