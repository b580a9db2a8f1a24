// SPDX-License-Identifier: Apache-2.0
#include "link/LineFrames.h"

namespace sus {

void MarkedWrite(LineSteps& steps, std::span<const std::uint8_t> bytes)
{
    // Nothing to mark: nothing goes to the line, not even the parity changes.
    if (bytes.empty())
        return;
    steps.readLine();
    steps.changeLine(std::nullopt, Parity::Space);
    steps.write(bytes.first(1));
    steps.changeLine(std::nullopt, Parity::Mark);
    // With one byte this writes nothing, and still goes to the device as a write.
    steps.write(bytes.subspan(1));
}

void BreakByte(LineSteps& steps, BreakForm form)
{
    static constexpr std::uint8_t zero[] = {kBreakZero};
    steps.readLine();
    steps.changeLine(kBreakBaud, Parity::Space);
    if (form == BreakForm::PlainWrite)
        steps.write(zero);
    else
        MarkedWrite(steps, zero);
    steps.changeLine(kLineBaud, Parity::Mark);
}

void DmxFrame(LineSteps& steps, std::span<const std::uint8_t> slots)
{
    BreakByte(steps, BreakForm::PlainWrite);
    steps.write(slots.first(1));
    // Mark parity is in force already; the frame has always set it once more here, and a backend
    // that touches only what differs makes nothing of it.
    steps.changeLine(std::nullopt, Parity::Mark);
    steps.write(slots.subspan(1));
}

void WakeUpFrame(LineSteps& steps, std::span<const std::uint8_t> zeros)
{
    BreakByte(steps, BreakForm::MarkedWrite);
    MarkedWrite(steps, zeros);
}

} // namespace sus
