// SPDX-License-Identifier: Apache-2.0
#include "receive/FixtureLog.h"

namespace sus {

void FixtureLogCollector::onCharacter(const WireCharacter& c)
{
    log_.framingErrors += c.stopBitOk ? 0 : 1;
    log_.characters.push_back(c);
}

void FixtureLogCollector::onFrame(const WireFrame& frame)
{
    log_.frames.push_back(frame);
    log_.items.push_back({FixtureLog::Kind::Frame, log_.frames.size() - 1, frame.breakStartNs});
}

void FixtureLogCollector::onPacket(const WirePacket& packet)
{
    log_.packets.push_back(packet);
    log_.items.push_back({FixtureLog::Kind::Packet, log_.packets.size() - 1, packet.startNs});
}

void FixtureLogCollector::onStray(const WireCharacter&)
{
    ++log_.strayCharacters;
}

std::vector<const WireFrame*> FixtureLog::wakeUpFrames() const
{
    std::vector<const WireFrame*> result;
    for (const WireFrame& frame : frames) {
        if (frame.isWakeUp())
            result.push_back(&frame);
    }
    return result;
}

std::vector<const WireFrame*> FixtureLog::dmxFrames() const
{
    std::vector<const WireFrame*> result;
    for (const WireFrame& frame : frames) {
        if (frame.isDmx())
            result.push_back(&frame);
    }
    return result;
}

} // namespace sus
