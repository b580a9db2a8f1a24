#pragma once

#include "update/RunEnding.h"
#include "update/UpdatePacket.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
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
class UpdateSequencer {
public:
    // Sets up Timer1 (its first interval, its ticks) and takes the link by `turns`.
    UpdateSequencer(UpdateFiles& files, Link& link, LinkTurns& turns, Timer& timer1, Presenter& presenter,
                    UpdatePageView& view);

    // Told of every run's start and end, in the order added.
    void addListener(UpdateRunListener& listener) { listeners_.push_back(&listener); }

    // SpeedButton2 (Start).
    void SpeedButton2Click();
    // SpeedButton3 (Stop): the next tick sends AbortUpdate, the one after closes the link. Once the
    // run's last packet is out (FinishUpdate, or AbortUpdate) it sends nothing more.
    void SpeedButton3Click();
    // One tick of Timer1.
    void Timer1Timer();

    // The main window closes: a run still going ends now, with AbortUpdate before the link closes.
    void abortForWindowClose();

    // From Start until the run has ended.
    bool runActive() const { return runActive_; }
    RunOutcome lastOutcome() const { return outcome_; }

    SequencerState state() const { return state_; }
    int fileIndex() const { return fileIndex_; }
    std::uint32_t imagePos() const { return imagePos_; }
    std::uint32_t blockCounter() const { return blockCounter_; }
    const PacketBuffer& packetBuffer() const { return packets_; }

private:
    void wakeUpFrame();
    void nextFileOrFinish();
    void sendHeader();
    void sendDataBlock();
    void countHandshakeRound();

    // Sends `packet` with a marked write; on failure ends the run (LinkFailed) and returns false.
    bool send(std::span<const std::uint8_t> packet);
    // Ends the run as the row of `ending` says; `message` is what the user is told, if anything.
    void end(RunEnding ending, const std::string& message = {});
    // The final packet of `rule`; false when the link refused it.
    bool sendFinalPacket(const RunEndingRule& rule);
    // Closes the link and lets it go: the run has ended.
    void closeAndEnd();
    void showPage(RunEndingRule::Page page);
    void showProgress();
    // The run's last packet has gone out: only the link is left to close.
    bool finalPacketOut() const { return runActive_ && state_ == SequencerState::Close; }

    UpdateFiles& files_;
    Link& link_;
    Timer& timer1_;
    Presenter& presenter_;
    UpdatePageView& view_;
    LinkTurns& turns_;
    std::vector<UpdateRunListener*> listeners_;
    PacketBuffer packets_;

    SequencerState state_ = SequencerState::NextFile;
    int fileIndex_ = 0;
    unsigned wakeCount_ = 0;
    unsigned handshakeRound_ = 0;
    bool handshakeDone_ = false;
    std::uint32_t imagePos_ = 0;
    std::uint32_t blockCounter_ = 0;
    bool runActive_ = false;
    RunOutcome outcome_ = RunOutcome::None;
};

} // namespace sus
