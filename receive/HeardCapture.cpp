// SPDX-License-Identifier: Apache-2.0
#include "receive/HeardCapture.h"

#include "link/LineFrames.h"
#include "link/LineTiming.h"

namespace sus {

void HeardCapture::onBreak(std::int64_t startNs, std::int64_t)
{
    LineState slow = kFixtureCharacter;
    slow.baudRate = kBreakBaud;
    slow.parity = Parity::Space;
    writes_.push_back({startNs, slow, {kBreakZero}});
    lastWasCharacter_ = false;
}

void HeardCapture::onCharacter(const WireCharacter& c)
{
    const Parity parity = c.ninthBit ? Parity::Mark : Parity::Space;
    if (lastWasCharacter_) {
        WireWrite& last = writes_.back();
        if (last.line.parity == parity && last.endNs() == c.startNs) {
            last.bytes.push_back(c.value);
            return;
        }
    }
    LineState line = kFixtureCharacter;
    line.parity = parity;
    writes_.push_back({c.startNs, line, {c.value}});
    lastWasCharacter_ = true;
}

} // namespace sus
