// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Executor.h"
#include "link/FrameGaps.h"
#include "update/RunEnding.h"
#include "update/RunProgress.h"
#include "update/RunRequest.h"
#include "update/UpdateRunScript.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sus {

class Link;
class LinkTurns;
class Presenter;
class Timer;
class UpdateFiles;
class UpdateRunListener;

// Drives update runs: Timer1 ticks the run's script (UpdateRunScript.h), whose steps go on the link
// with their gaps kept (link/FrameGaps.h), and a run that cannot go on ends as the row of its ending
// says (RunEnding.h) and nothing else. A run never reports a success it did not have.
//
// Runs on the line's thread (link/LineHost.h): the link, Timer1, the files and the script; start, stop
// and what listeners hear are the window's. A message that holds the run (the finish, a refused file)
// is shown on the window's thread while Timer1 stands, and the run goes on once it is dismissed.
class UpdateSequencer {
public:
    // Sets up Timer1 (its first interval, its ticks); the run takes the link by `turns`. `lineClock`
    // is the clock Timer1 ticks by, on which a frame waits out its gap.
    UpdateSequencer(UpdateFiles& files, Link& link, LinkTurns& turns, Timer& timer1, Presenter& presenter,
                    Threads threads, WaitableClock& lineClock);

    // The window's thread.

    // Told of every run, in the order added.
    void addListener(UpdateRunListener& listener) { listeners_.push_back(&listener); }

    // Starts a run of `request`; false, having told the user, when it has no password, and false while
    // a run goes on (a second Start never restarts it).
    bool start(RunRequest request);
    // The next tick sends AbortUpdate, the one after closes the link. Once the run's last packet is
    // out (FinishUpdate, or AbortUpdate) it sends nothing more.
    void stop();
    // The main window closes: a run still going ends now, with AbortUpdate before the link closes.
    void abortForWindowClose();

    // From Start until the listeners have been told that the run ended.
    bool runActive() const { return shownRunActive_; }
    RunOutcome lastOutcome() const { return shownProgress_.outcome; }
    // Where the run stood when the window's thread last heard.
    const RunProgress& lastProgress() const { return shownProgress_; }

    // The line's thread: one tick of Timer1.
    void Timer1Timer();
    // The line's thread: the script of the run in hand or last run, for tests that follow its states;
    // none before the first run.
    const UpdateRunScript* script() const { return script_ ? &*script_ : nullptr; }

private:
    // The window's thread.
    void progressed(const RunProgress& progress);
    void runEnded(const RunProgress& progress);

    // The line's thread.
    void startRun(RunRequest request);
    void stopRun();
    void abortRun();
    // Puts `tick`'s steps on the link, their gap kept; false when the link refused them.
    bool put(const RunTick& tick);
    // Ends the run as the row of `ending` says; `message` is what the user is told, if anything.
    void end(RunEnding ending, const std::string& message = {});
    // The rest of an ending, once a message that comes first has been dismissed.
    void finishEnding(const RunEndingRule& rule, bool packetAlreadyOut, const std::string& lastMessage);
    // The controller refused: the run ends as LinkFailed.
    void linkLost();
    // Closes the link and lets it go: the run has ended.
    void closeAndEnd();
    void postProgress();
    // Shows `text` on the window's thread; `then` runs here once it has been dismissed, unless the run
    // ended otherwise meanwhile.
    void tellThen(const std::string& text, std::function<void()> then);

    // Both threads: set up at construction, then only read.
    Presenter& presenter_;
    LinkTurns& turns_;
    Threads threads_;

    // The window's thread.
    std::vector<UpdateRunListener*> listeners_;
    bool shownRunActive_ = false;
    RunProgress shownProgress_;

    // The line's thread.
    UpdateFiles& files_;
    Link& link_;
    Timer& timer1_;
    FrameGaps gaps_;
    std::optional<UpdateRunScript> script_;
    bool runActive_ = false;
    bool awaitingUser_ = false; // a message that holds the run is shown
    RunOutcome outcome_ = RunOutcome::None;
};

} // namespace sus
