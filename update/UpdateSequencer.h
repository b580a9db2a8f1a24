#pragma once

#include "update/UpdatePacket.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace sus {

class DmxOutputControl;
class Link;
class Presenter;
class Timer;
class UpdateFiles;
class UpdatePageView;

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
// reports a success it did not have.
class UpdateSequencer {
public:
    // Takes over Timer1's ticks.
    UpdateSequencer(UpdateFiles& files, Link& link, Timer& timer1, Presenter& presenter, UpdatePageView& view,
                    DmxOutputControl& dmxOutput);

    // SpeedButton2 (Start).
    void SpeedButton2Click();
    // SpeedButton3 (Stop): the next tick sends AbortUpdate, the one after closes the link.
    void SpeedButton3Click();
    // One tick of Timer1.
    void Timer1Timer();

    // The main window closes: a run still going ends now, with AbortUpdate before the link closes.
    void abortForWindowClose();

    // From Start until the run has ended (finished, stopped, refused a file or lost the link).
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
    void finish();
    void sendHeader();
    void sendDataBlock();
    void countHandshakeRound();

    // Sends `packet` with a marked write; on failure ends the run and returns false.
    bool send(std::span<const std::uint8_t> packet);
    // A file was refused: the run stops here with `message`; Stop stays usable.
    void stopForFile(RunOutcome outcome, const std::string& message);
    // The link failed: the run ends at once, as after Stop, and the user is told `message` with the
    // link's port and reason under it.
    void failLink(std::string_view message);
    // The buttons, counters and bar as after Stop.
    void showStopped();
    // Ends the run now, as after Stop, with the link closed and nothing more to send.
    void endAtOnce();
    void endRun();
    void showProgress();

    UpdateFiles& files_;
    Link& link_;
    Timer& timer1_;
    Presenter& presenter_;
    UpdatePageView& view_;
    DmxOutputControl& dmxOutput_;
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
