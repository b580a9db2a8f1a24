// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Executor.h"
#include "link/FrameGaps.h"
#include "link/LineSteps.h"
#include "update/RunEnding.h"
#include "update/RunRequest.h"
#include "update/UpdatePacket.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace sus {

class Link;
class LinkTurns;
class Presenter;
class Timer;
class UpdateFiles;
class UpdatePageView;
class UpdateRunListener;

// Steps of an update run; each tick of Timer1 performs the step of the current state.
enum class SequencerState : std::uint8_t {
    NextFile = 0,   // load and check the next file and send StartOfFile, or finish
    Close = 1,      // stop the timer and close the link
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

// Pacing of the run, in Timer1 intervals.
namespace pacing {
inline constexpr int kBaseMs = 20;
inline constexpr int kWakeUpMs = 100;     // between wake-up frames, and after each file's EndOfFile
inline constexpr int kLongPauseMs = 1000; // after the handshake; between header copies when asked
inline constexpr unsigned kWakeUpFrames = 41;
inline constexpr unsigned kHandshakeRounds = 21;
} // namespace pacing

// The update run behind the Start and Stop buttons of the "Update" page, stepped by Timer1.
// It wakes the fixture, then sends every queued file from the selected one on, and finally tells
// the fixture to reset. The fixture never answers: the timer's pacing is the only flow control.
// A run that cannot go on (a file refused, the link lost) stops at once and says why; it never
// reports a success it did not have. How each kind of run ends is the table of RunEnding.h.
//
// It works on two threads. The buttons, the window's close and what the page shows belong to the
// window's thread; the run itself (the link, Timer1, the files, the counters) to the line's, where
// Timer1 ticks. Start takes what the run needs from the page at once (RunRequest); from then on the
// two sides only post to each other. A message that holds the run (the finish, a refused file) is
// shown on the window's thread while Timer1 stands, and the run goes on once it is dismissed.
class UpdateSequencer {
public:
    // Sets up Timer1 (its first interval, its pacing, its ticks); the run takes the link by `turns`.
    // `lineClock` is the clock Timer1 ticks by, on which a frame waits out its gap (link/FrameGaps.h).
    UpdateSequencer(UpdateFiles& files, Link& link, LinkTurns& turns, Timer& timer1, Presenter& presenter,
                    UpdatePageView& view, Threads threads, WaitableClock& lineClock);

    // The window's thread.

    // Told of every run's start and end, in the order added.
    void addListener(UpdateRunListener& listener) { listeners_.push_back(&listener); }

    // SpeedButton2 (Start).
    void SpeedButton2Click();
    // From the next Start on, each queued file is checked with its own password, in the queue's
    // order, instead of the password box's (which must still not be empty).
    void setFilePasswords(std::vector<std::string> passwords) { filePasswords_ = std::move(passwords); }
    // SpeedButton3 (Stop): the next tick sends AbortUpdate, the one after closes the link. Once the
    // run's last packet is out (FinishUpdate, or AbortUpdate) it sends nothing more.
    void SpeedButton3Click();
    // The main window closes: a run still going ends now, with AbortUpdate before the link closes.
    void abortForWindowClose();

    // From Start until the window has been told that the run ended.
    bool runActive() const { return shownRunActive_; }
    RunOutcome lastOutcome() const { return shownOutcome_; }

    // The line's thread.

    // One tick of Timer1.
    void Timer1Timer();

    SequencerState state() const { return state_; }
    int fileIndex() const { return fileIndex_; }
    std::uint32_t imagePos() const { return imagePos_; }
    std::uint32_t blockCounter() const { return blockCounter_; }
    const PacketBuffer& packetBuffer() const { return packets_; }

private:
    // The window's thread: the run has ended.
    void runEnded(RunOutcome outcome);

    // The line's thread.
    void startRun(RunRequest request);
    void stopRun();
    void abortRun();
    void wakeUpFrame();
    void nextFileOrFinish();
    void sendHeader();
    void sendDataBlock();
    void countHandshakeRound();

    // Puts `packet` on the link with a marked write, its gap kept; false when the link refused it.
    bool writePacket(std::span<const std::uint8_t> packet);
    // The same; on failure ends the run (LinkFailed) and returns false.
    bool send(std::span<const std::uint8_t> packet);
    // The controller refused: the run ends as LinkFailed. Always false.
    bool linkLost();
    // Ends the run as the row of `ending` says; `message` is what the user is told, if anything.
    void end(RunEnding ending, const std::string& message = {});
    // The rest of an ending, once a message that comes first has been dismissed.
    void finishEnding(const RunEndingRule& rule, bool packetAlreadyOut, const std::string& lastMessage);
    // The final packet of `rule`; false when the link refused it.
    bool sendFinalPacket(const RunEndingRule& rule);
    // Closes the link and lets it go: the run has ended.
    void closeAndEnd();
    void showPage(RunEndingRule::Page page);
    void showProgress();
    // Shows `text` on the window's thread; `then` runs here once it has been dismissed, unless the run
    // ended otherwise meanwhile.
    void tellThen(const std::string& text, std::function<void()> then);
    // Runs `change` on the page, on the window's thread.
    void onPage(std::function<void(UpdatePageView&)> change);
    // The run's last packet has gone out: only the link is left to close.
    bool finalPacketOut() const { return runActive_ && state_ == SequencerState::Close; }

    // Both threads: set up at construction, then only read.
    Presenter& presenter_;
    UpdatePageView& view_;
    LinkTurns& turns_;
    Threads threads_;

    // The window's thread.
    std::vector<UpdateRunListener*> listeners_;
    bool shownRunActive_ = false;
    RunOutcome shownOutcome_ = RunOutcome::None;
    std::vector<std::string> filePasswords_;

    // The line's thread.
    UpdateFiles& files_;
    Link& link_;
    Timer& timer1_;
    FrameGaps gaps_;
    PacketBuffer packets_;
    LineSteps lineSteps_;
    RunRequest request_;
    SequencerState state_ = SequencerState::NextFile;
    int fileIndex_ = 0;
    unsigned wakeCount_ = 0;
    unsigned handshakeRound_ = 0;
    bool handshakeDone_ = false;
    std::uint32_t imagePos_ = 0;
    std::uint32_t blockCounter_ = 0;
    bool runActive_ = false;
    bool awaitingUser_ = false; // a message that holds the run is shown
    RunOutcome outcome_ = RunOutcome::None;
};

} // namespace sus
