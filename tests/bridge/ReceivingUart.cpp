// SPDX-License-Identifier: Apache-2.0
#include "tests/bridge/ReceivingUart.h"

#include "receive/MarkedStream.h"
#include "sim/VirtualFixture.h"
#include "sim/Waveform.h"

namespace sus::bridge {

namespace {

// The FTDI chip's USB packets at full speed: 64 bytes, two of them its status.
constexpr std::size_t kUsbPacketCharacters = 62;
// Its latency timer: a packet not yet full goes out this long after its first character.
constexpr std::int64_t kLatencyNs = 16'000'000;

// A character as the receiver took it, with what it found wrong.
struct Received {
    std::int64_t startNs = 0;
    std::uint8_t value = 0;
    bool parityError = false;
    bool framingError = false;
    bool isBreak = false;
};

// What the driver tells the line discipline of a character.
enum class Flag { Normal, Break, Error };

// The receiving UART and its driver: what n_tty makes of each character and its flag.
class Driver : public CharacterListener {
public:
    Driver(const ReceiveSettings& settings, const std::function<void(std::size_t, WireCharacter&)>& change)
        : settings_(settings), change_(change)
    {
    }

    void onBreak(std::int64_t startNs, std::int64_t) override { receive({startNs, 0, false, true, true}); }

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
        receive({c.startNs, c.value, parityError, framingError, false});
    }

    std::vector<std::uint8_t> take()
    {
        sendUsbPacket();
        return std::move(out_);
    }

private:
    void receive(const Received& r)
    {
        switch (settings_.status) {
        case LineStatus::PerCharacter:
            return discipline(r.value, r.isBreak                         ? Flag::Break
                                       : r.parityError || r.framingError ? Flag::Error
                                                                         : Flag::Normal);
        case LineStatus::NoParity:
            return discipline(r.value, Flag::Normal);
        case LineStatus::PerUsbPacket:
            if (!usbPacket_.empty() && r.startNs - usbPacket_.front().startNs > kLatencyNs)
                sendUsbPacket();
            usbPacket_.push_back(r);
            if (usbPacket_.size() == kUsbPacketCharacters)
                sendUsbPacket();
            return;
        }
    }

    // One status for the packet: a break is also a framing error, as the UART reports it.
    void sendUsbPacket()
    {
        bool parity = false;
        bool framing = false;
        bool brk = false;
        for (const Received& r : usbPacket_) {
            parity = parity || r.parityError;
            framing = framing || r.framingError || r.isBreak;
            brk = brk || r.isBreak;
        }
        const Flag flag = parity || framing ? Flag::Error : Flag::Normal;
        for (std::size_t i = 0; i < usbPacket_.size(); ++i) {
            const bool last = i + 1 == usbPacket_.size();
            discipline(usbPacket_[i].value, brk && last && usbPacket_[i].value == 0 ? Flag::Break : flag);
        }
        usbPacket_.clear();
    }

    void discipline(std::uint8_t value, Flag flag)
    {
        WireCharacter c;
        c.value = value;
        switch (flag) {
        case Flag::Break:
            if (settings_.ignoreBreaks)
                return;
            if (settings_.markErrors)
                appendMarkedBreak(out_);
            else
                out_.push_back(0);
            return;
        case Flag::Error:
            if (settings_.ignoreErrors)
                return;
            if (settings_.markErrors) {
                c.ninthBit = false;
                appendMarked(out_, c);
            } else {
                out_.push_back(0);
            }
            return;
        case Flag::Normal:
            if (settings_.markErrors) {
                c.ninthBit = true;
                appendMarked(out_, c);
            } else {
                out_.push_back(value);
            }
            return;
        }
    }

    const ReceiveSettings& settings_;
    const std::function<void(std::size_t, WireCharacter&)>& change_;
    std::size_t count_ = 0;
    std::vector<Received> usbPacket_;
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
