// SPDX-License-Identifier: Apache-2.0
#include "sim/HeardCapture.h"

#include "link/LineFrames.h"
#include "link/LineTiming.h"

namespace sus {

HeardCapture::HeardCapture(std::uint32_t baud)
{
    line_.baudRate = baud;
    line_.dataBits = 8;
    line_.stopBits = 1;
}

void HeardCapture::onBreak(std::int64_t startNs, std::int64_t)
{
    LineState slow = line_;
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
    LineState line = line_;
    line.parity = parity;
    writes_.push_back({c.startNs, line, {c.value}});
    lastWasCharacter_ = true;
}

} // namespace sus
