// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/LineSteps.h"
#include "update/RunEnding.h"
#include "update/RunProgress.h"
#include "update/RunRequest.h"
#include "update/UpdatePacket.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace sus {

class UpdateFiles;

// The states of an update run; each tick of Timer1 performs the step of the current one.
enum class SequencerState : std::uint8_t {
    NextFile = 0,   // load and check the next file and send StartOfFile, or finish
    Close = 1,      // the run's last packet is out: close the link
    Abort = 2,      // send AbortUpdate
    WakeUp = 3,     // one wake-up frame
    Identify1 = 16, // the handshake round: three identification packets and a silent tick
    Identify2 = 17,
    Identify3 = 18,
    CountRound = 19,
    HeaderStart = 32, // header block: set up, first sending, second sending
    HeaderFirst = 33,
    HeaderSecond = 34,
    DataBlock = 48, // a data block, then the same block again
    DataBlockAgain = 49,
    EndOfFile = 64,
};

// Timer1's intervals and the run's counts.
namespace pacing {
inline constexpr int kBaseMs = 20;
inline constexpr int kWakeUpMs = 100;     // between wake-up frames, and after each file's EndOfFile
inline constexpr int kLongPauseMs = 1000; // after the handshake; between header copies when asked
inline constexpr unsigned kWakeUpFrames = 41;
inline constexpr unsigned kHandshakeRounds = 21;
// Each data block goes out twice, one base tick apart.
inline constexpr int kDataBlockMs = 2 * kBaseMs;
} // namespace pacing

// What one tick of the run does.
struct RunTick {
    // Timer1's interval from this tick on, when the step sets one; an interval set in a step paces
    // the tick after it.
    std::optional<int> intervalMs;
    // What goes on the line in this tick, in order, each frame's gap kept; empty: a silent tick.
    LineSteps steps;
    // What those steps carry, as a receiver hears it: a wake-up frame's zeros or a packet's bytes.
    enum class Unit : std::uint8_t { None, WakeUpFrame, Packet };
    Unit unit = Unit::None;
    std::span<const std::uint8_t> unitBytes;
    // The run ends here, once the steps are out, as the row of `ending` says; `message` is what the
    // user is told.
    std::optional<RunEnding> ending;
    std::string message;
    // The run's last packet went out a tick ago: close the link.
    bool closesLink = false;
};

// An update run as a script: given what Start took from the page, it says tick by tick what to put
// on the line, when the next tick comes and where the run stands. It has no timer, thread or
// device: whoever drives it (the sequencer on the line's thread, or a plan of the run) runs the
// steps and keeps the time. The fixture never answers: this timeline is its only flow control.
//
// The run, top to bottom (each file from the selected one on; the handshake for the first only):
//   41 wake-up frames, 100 ms apart
//   per file: StartOfFile; 21 handshake rounds of 4 ticks, 20 ms apart, then a 1000 ms pause;
//             the header block twice, 20 ms apart (1000 ms when the file asks for it);
//             every data block twice, 20 ms apart; EndOfFile, then 100 ms
//   the finish message, then FinishUpdate; the link closes at the next tick.
// Stopped, it sends AbortUpdate at the next tick and closes the link at the one after.
class UpdateRunScript {
public:
    // `files` loads each file when its turn comes, as a run must: PrepareUpdateFile fills the image
    // the rest of the file is sent from.
    UpdateRunScript(UpdateFiles& files, RunRequest request);

    // One tick: the step of the current state.
    const RunTick& tick();

    // The line refused the steps of the last tick (or of the last final packet): they do not count
    // as sent, and the run stays where it was before them. The run ends; the driver says how.
    void lineRefused();

    // Events of the run's ending, as the driver follows the ending's row.

    // Whether a Stop still has something to stop: not once the run's last packet is out or due.
    bool canStop() const;
    // The position goes back to the start, as after Stop (FileIndex, ImagePos, the bar).
    void forgetPosition();
    // The ending is decided; the run may still send its last packet.
    void endsAs(RunEnding ending);
    // AbortUpdate goes out at the next tick, and the link closes at the one after.
    void abortAtNextTick();
    // The final packet of an ending, now: the steps that send it.
    const RunTick& finalPacket(RunEndingRule::FinalPacket packet);
    // The last packet is out: the link closes at the next tick.
    void closeAtNextTick();
    // The link has closed with `outcome`.
    void closed(RunOutcome outcome);
    // The run's last packet is out: only the link is left to close.
    bool finalPacketOut() const { return state_ == SequencerState::Close; }

    const RunProgress& progress() const { return progress_; }
    const RunRequest& request() const { return request_; }

    // For tests.
    SequencerState state() const { return state_; }
    std::size_t fileIndex() const { return fileIndex_; }
    std::uint32_t imagePos() const { return imagePos_; }
    std::uint32_t blockCounter() const { return blockCounter_; }

private:
    // The steps of the states, in the order a run goes through them.
    void wakeUpFrame();
    void nextFileOrFinish();
    void countHandshakeRound();
    void headerStart();
    void headerFirst();
    void headerSecond();
    void dataBlock();
    void endOfFile();

    // Puts `packet` in this tick's steps as a marked write and goes on to `next`.
    void send(std::span<const std::uint8_t> packet, SequencerState next);
    void setInterval(int ms) { tick_.intervalMs = ms; }
    void endRun(RunEnding ending, std::string message);
    void startTick();
    void showProgress();
    std::int64_t fileMsLeft(std::uint64_t size) const;

    UpdateFiles& files_;
    RunRequest request_;
    PacketBuffer packets_;
    RunTick tick_;
    RunProgress progress_;
    // What had gone out, and the state, before the last tick's steps.
    RunSent sentBefore_;
    SequencerState stateBefore_ = SequencerState::WakeUp;

    SequencerState state_ = SequencerState::WakeUp;
    std::size_t fileIndex_ = 0;
    unsigned wakeCount_ = 0;
    unsigned handshakeRound_ = 0;
    bool handshakeDone_ = false;
    std::uint32_t imagePos_ = 0;
    std::uint32_t blockCounter_ = 0;
};

} // namespace sus
