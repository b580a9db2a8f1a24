// SPDX-License-Identifier: Apache-2.0
#include "tests/bridge/ReceivingUart.h"

#include "receive/MarkedStream.h"
#include "sim/VirtualFixture.h"
#include "sim/Waveform.h"

namespace sus::bridge {

namespace {

// The driver's side of a receiving UART: what n_tty makes of each character and its error flag.
class Driver : public CharacterListener {
public:
    Driver(const ReceiveSettings& settings, const std::function<void(std::size_t, WireCharacter&)>& change)
        : settings_(settings), change_(change)
    {
    }

    void onBreak(std::int64_t, std::int64_t) override
    {
        if (settings_.ignoreBreaks)
            return;
        if (settings_.markErrors)
            appendMarkedBreak(out_);
        else
            out_.push_back(0);
    }

    void onCharacter(const WireCharacter& sampled) override
    {
        WireCharacter c = sampled;
        if (change_)
            change_(count_++, c);
        // Every bit low through the stop bit is what a UART calls a break, however long it lasts.
        if (c.value == 0 && !c.ninthBit && !c.stopBitOk)
            return onBreak(c.startNs, c.startNs);
        // Without mark parity the receiver takes the ninth bit for the stop bit.
        const bool framingError = settings_.markParity ? !c.stopBitOk : !c.ninthBit;
        const bool parityError = settings_.markParity && settings_.checkParity && !c.ninthBit;
        if (!framingError && !parityError) {
            if (settings_.markErrors) {
                c.ninthBit = true;
                c.stopBitOk = true;
                appendMarked(out_, c);
            } else {
                out_.push_back(c.value);
            }
            return;
        }
        if (settings_.ignoreErrors)
            return;
        if (settings_.markErrors) {
            c.ninthBit = false;
            appendMarked(out_, c);
        } else {
            out_.push_back(0);
        }
    }

    std::vector<std::uint8_t> take() { return std::move(out_); }

private:
    const ReceiveSettings& settings_;
    const std::function<void(std::size_t, WireCharacter&)>& change_;
    std::size_t count_ = 0;
    std::vector<std::uint8_t> out_;
};

} // namespace

std::vector<std::uint8_t> receivedStream(const std::vector<WireWrite>& wire, const ReceiveSettings& settings,
                                         const std::function<void(std::size_t, WireCharacter&)>& change)
{
    Driver driver(settings, change);
    VirtualFixture::sample(renderWaveform(wire), driver);
    return driver.take();
}

} // namespace sus::bridge
