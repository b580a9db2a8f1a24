// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"
#include "sim/TxLine.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace sus::bridge {

// The transmitter of a USB-to-UART bridge over time: a queue of bytes that have crossed the bus,
// and a shift register that sends them one after the other. Each byte takes the character time of
// the settings in force when it starts to shift out, so a change made while bytes are still queued
// reaches them, as on a real bridge. Times are ns on one clock, never going back.
class UartModel {
public:
    explicit UartModel(const LineState& line) : line_(line) {}

    // Settings that reach the UART at `atNs`: every byte that starts shifting from then on uses them.
    void change(std::int64_t atNs, const LineState& line);

    // Bytes written while `asWritten` was in force; they reach the queue at `arrivesNs`.
    void enqueue(std::int64_t arrivesNs, const LineState& asWritten, const std::uint8_t* data,
                 std::size_t count);

    // When the queue is empty, the last byte queued so far having moved into the shift register,
    // if nothing changes until then; `nowNs` when it is empty already.
    std::int64_t queueEmptyAtNs(std::int64_t nowNs) const;

    // Drops what has not started to shift out by `atNs` (a bridge purges its queue on close);
    // returns how many bytes were dropped.
    std::size_t purge(std::int64_t atNs);

    // Shifts out every byte that starts before `untilNs`.
    void advanceTo(std::int64_t untilNs);

    // The line as it went out so far: runs of characters without gaps, each run with one setting.
    const std::vector<WireWrite>& wire() const { return wire_; }
    const LineState& line() const { return line_; }

    // Bytes that went out with a rate, parity or framing other than the one in force when they
    // were written.
    std::size_t caughtBytes() const { return caught_; }
    // Changes of rate, parity or framing that came while a character was still shifting out.
    std::size_t charactersCut() const { return cut_; }
    std::size_t bytesQueued() const { return queue_.size(); }

private:
    struct QueuedByte {
        std::int64_t arrivesNs;
        LineState asWritten;
        std::uint8_t value;
    };

    void shiftOut(std::int64_t startNs, const QueuedByte& byte);

    LineState line_;
    std::deque<QueuedByte> queue_;
    std::int64_t freeAtNs_ = 0; // when the shift register has sent its last character
    std::vector<WireWrite> wire_;
    std::size_t caught_ = 0;
    std::size_t cut_ = 0;
};

// Whether two settings shape characters alike: rate, data bits, parity and stop bits.
bool sameFraming(const LineState& a, const LineState& b);

} // namespace sus::bridge
