// SPDX-License-Identifier: Apache-2.0
#include "receive/HeardLinePrinter.h"

#include "core/HexText.h"
#include "core/Nanoseconds.h"
#include "receive/ReceiverTable.h"

#include <cstdio>

namespace sus {

std::ostream& HeardLinePrinter::line(std::int64_t atNs)
{
    if (!firstNs_)
        firstNs_ = atNs;
    if (timed_) {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%10.6f s  ",
                      static_cast<double>(atNs - *firstNs_) / kNsPerSecond);
        out_ << stamp;
    }
    return out_;
}

void HeardLinePrinter::onFrame(const WireFrame& frame)
{
    flushStrays();
    ++frames_;
    if (frame.isWakeUp()) {
        line(frame.breakStartNs) << "wake-up frame " << ++wakeUps_ << ": " << frame.bytes.size()
                                 << " zeros\n";
        return;
    }
    if (frame.isDmx()) {
        printDmx(frame);
        return;
    }
    line(frame.breakStartNs) << "frame " << frames_ << ": a break and " << frame.bytes.size()
                             << " character(s), neither DMX nor a wake-up\n";
}

void HeardLinePrinter::printDmx(const WireFrame& frame)
{
    std::ostream& out = line(frame.breakStartNs);
    out << "DMX frame " << ++dmxFrames_ << ": start code " << static_cast<int>(frame.startCode()) << ", "
        << frame.bytes.size() - 1 << " slots";
    if (timed_ && lastDmxBreakNs_) {
        char period[32];
        std::snprintf(period, sizeof period, "%.1f",
                      static_cast<double>(frame.breakStartNs - *lastDmxBreakNs_) / kNsPerMs);
        out << ", period " << period << " ms";
    }
    lastDmxBreakNs_ = frame.breakStartNs;
    std::size_t changed = 0;
    // Slots a frame does not carry count as 0, as a fixture holds no level for them.
    for (std::size_t slot = 1; slot < levels_.size(); ++slot) {
        const std::uint8_t level = slot < frame.bytes.size() ? frame.bytes[slot] : 0;
        if (level == levels_[slot])
            continue;
        out << (changed++ == 0 ? ", changed " : " ") << slot << "=" << static_cast<int>(level);
        levels_[slot] = level;
    }
    out << (changed == 0 ? ", no change\n" : "\n");
}

void HeardLinePrinter::onPacket(const WirePacket& packet)
{
    flushStrays();
    std::ostream& out = line(packet.startNs) << "packet " << ++packets_ << ": ";
    if (packet.bytes.size() < heard::kHeaderSize) {
        out << "cut off after " << packet.bytes.size() << " byte(s)\n";
        return;
    }
    out << heard::packetTypeName(packet.type);
    if (packet.type >= heard::kFirstDataBlockType)
        out << " " << packet.type;
    else if (packet.type > heard::kLastCommandType)
        out << " 0x" << hexWord(packet.type);
    if (packet.bytes[1] != 0)
        out << ", second byte 0x" << hexByte(packet.bytes[1]) << " instead of 0x00\n";
    else if (!packet.complete)
        out << ", cut off after " << packet.bytes.size() << " byte(s)\n";
    else
        out << (packet.checksumOk ? ", checksum right\n" : ", checksum WRONG\n");
}

void HeardLinePrinter::onStray(const WireCharacter& character)
{
    if (straysInRun_++ == 0)
        strayRunNs_ = character.startNs;
    ++strays_;
}

void HeardLinePrinter::finish()
{
    flushStrays();
    out_.flush();
}

void HeardLinePrinter::flushStrays()
{
    if (straysInRun_ == 0)
        return;
    line(strayRunNs_) << straysInRun_ << " character(s) in no frame or packet\n";
    straysInRun_ = 0;
}

} // namespace sus
