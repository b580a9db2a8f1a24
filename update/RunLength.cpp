// SPDX-License-Identifier: Apache-2.0
#include "update/RunLength.h"

#include <cstdio>

namespace sus {

void RunLength::add(RunProgress::Phase phase, std::int64_t ms)
{
    using Phase = RunProgress::Phase;
    totalMs += ms;
    switch (phase) {
    case Phase::Waking:
        wakeUpMs += ms;
        return;
    case Phase::Handshake:
        handshakeMs += ms;
        return;
    case Phase::Pause:
        pausesMs += ms;
        return;
    case Phase::File:
    case Phase::EndOfFile:
        filesMs += ms;
        return;
    case Phase::Finishing:
    case Phase::Stopping:
    case Phase::Closing:
    case Phase::Ended:
        finishMs += ms;
        return;
    }
}

std::string millisecondsText(std::int64_t ms)
{
    char text[48];
    if (ms < 1000)
        std::snprintf(text, sizeof text, "%lld ms", static_cast<long long>(ms));
    else if (ms < 60'000)
        std::snprintf(text, sizeof text, "%lld.%03lld s", static_cast<long long>(ms / 1000),
                      static_cast<long long>(ms % 1000));
    else
        std::snprintf(text, sizeof text, "%lld min %02lld.%03lld s", static_cast<long long>(ms / 60'000),
                      static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
    return text;
}

std::string runLengthText(const RunLength& length)
{
    return millisecondsText(length.totalMs) + " (wake-up frames " + millisecondsText(length.wakeUpMs) +
           ", handshake " + millisecondsText(length.handshakeMs) + ", pauses " +
           millisecondsText(length.pausesMs) + ", files " + millisecondsText(length.filesMs) + ", finish " +
           millisecondsText(length.finishMs) + ")";
}

} // namespace sus
