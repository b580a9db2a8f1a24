// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace sus {

// How the last run ended, for callers that act on it (the command-line companion's exit code).
enum class RunOutcome : std::uint8_t {
    None,          // no run yet, or the run still goes on
    Finished,      // every file sent, then FinishUpdate
    EmptyPassword, // Start refused: the password box was empty
    PasswordWrong, // a file's password did not match
    FileRefused,   // a file could not be opened, read or sent
    LinkFailed,    // the controller could not be opened or stopped taking data
    Stopped,       // Stop, or the window closed, while the run went on
};

// The ways a run ends.
enum class RunEnding : std::uint8_t {
    Finished,
    Stopped,
    PasswordWrong,
    FileRefused,
    LinkFailed,
    WindowClosed
};

// What an ending does; the sequencer follows the row of its ending and nothing else.
struct RunEndingRule {
    // The packet that goes out last: FinishUpdate, AbortUpdate or none.
    enum class FinalPacket : std::uint8_t { None, FinishUpdate, AbortUpdate };
    // When it goes out: in this step, or at the next tick of Timer1.
    enum class PacketTime : std::uint8_t { Now, NextTick };
    // When the link closes (the run has ended then): in this step, or at the tick after the final packet.
    enum class Closing : std::uint8_t { Now, TickAfterFinalPacket };
    // The page afterwards: Start usable and Stop not, with counters and bar back to 0 as after Stop;
    // the same with the bar as it stood; or as it was, Stop still usable and the file that failed
    // still selected, so the next Start begins with it.
    enum class Page : std::uint8_t { AsStopped, AsFinished, AsItWas };
    // When the user is told: not at all, before the final packet or the closing (the modal box
    // holds the run; Timer1 is off meanwhile), or once the link has closed.
    enum class Message : std::uint8_t { None, First, Last };
    // What a final packet that the link refuses does: the run ends as LinkFailed and the user is
    // told, or it is let be, as the link closes anyway.
    enum class FailedPacket : std::uint8_t { EndsAsLinkFailed, IsLetBe };

    RunOutcome outcome;
    FinalPacket packet;
    PacketTime packetTime;
    Closing closing;
    Page page;
    Message message;
    FailedPacket failedPacket;
};

inline constexpr RunEndingRule ruleFor(RunEnding ending)
{
    using R = RunEndingRule;
    switch (ending) {
    case RunEnding::Finished:
        // The fixture resets on FinishUpdate: it goes out only once the user has read the message.
        return {RunOutcome::Finished,
                R::FinalPacket::FinishUpdate,
                R::PacketTime::Now,
                R::Closing::TickAfterFinalPacket,
                R::Page::AsFinished,
                R::Message::First,
                R::FailedPacket::EndsAsLinkFailed};
    case RunEnding::Stopped:
        return {RunOutcome::Stopped,
                R::FinalPacket::AbortUpdate,
                R::PacketTime::NextTick,
                R::Closing::TickAfterFinalPacket,
                R::Page::AsStopped,
                R::Message::None,
                R::FailedPacket::EndsAsLinkFailed};
    case RunEnding::PasswordWrong:
        return {RunOutcome::PasswordWrong,
                R::FinalPacket::None,
                R::PacketTime::Now,
                R::Closing::Now,
                R::Page::AsItWas,
                R::Message::First,
                R::FailedPacket::EndsAsLinkFailed};
    case RunEnding::FileRefused:
        return {RunOutcome::FileRefused,
                R::FinalPacket::None,
                R::PacketTime::Now,
                R::Closing::Now,
                R::Page::AsItWas,
                R::Message::First,
                R::FailedPacket::EndsAsLinkFailed};
    case RunEnding::LinkFailed:
        // Nothing more can go to a controller that refuses; the user is told once it is let go.
        return {RunOutcome::LinkFailed,
                R::FinalPacket::None,
                R::PacketTime::Now,
                R::Closing::Now,
                R::Page::AsStopped,
                R::Message::Last,
                R::FailedPacket::EndsAsLinkFailed};
    case RunEnding::WindowClosed:
        // Nothing may go on writing to a link the window closes, and nobody is there to be told.
        return {RunOutcome::Stopped,     R::FinalPacket::AbortUpdate, R::PacketTime::Now,
                R::Closing::Now,         R::Page::AsStopped,          R::Message::None,
                R::FailedPacket::IsLetBe};
    }
    return {};
}

} // namespace sus
