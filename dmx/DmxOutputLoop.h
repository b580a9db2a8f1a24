// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Executor.h"
#include "link/LineSteps.h"
#include "link/LinkTurns.h"

#include <string>
#include <string_view>

namespace sus {

class DmxOutputView;
class DmxUniverse;
class Link;
class LinkTurns;
class Presenter;
class Timer;

// One DMX512 frame every 60 ms: about 16.7 frames a second, each 22.572 ms of slot time.
inline constexpr int kDmxFramePeriodMs = 60;

// Told when output had to stop by itself; each failure is told once, as output is off afterwards.
inline constexpr std::string_view kDmxOpenFailedText =
    "DMX output could not be started: the controller could not be opened. Check that it is plugged in.";
inline constexpr std::string_view kDmxWriteFailedText =
    "DMX output has been stopped: the controller no longer accepts data. Check that it is plugged in.";

// Sends the universe to the link while "DMX Output" is checked. Output is on exactly while the box
// is checked, Timer2 runs and the link is open for it; whatever ends it (the user, an update run,
// the window closing, a failing controller) goes through unchecking the box. It has the link only
// when `turns` give it: never while an update run has it.
//
// The box runs on the window's thread; the link, Timer2 and the frames on the line's thread
// (link/LineHost.h), where each tick takes the universe as it stands and sends it whole. A check or an
// uncheck is posted to the line; a controller that fails turns output off there at once, then the
// window unchecks the box and says why.
class DmxOutputLoop : public LinkTurns::DmxOutput {
public:
    // Sets up Timer2 (its interval, its ticks) and attaches itself to `turns`.
    DmxOutputLoop(Link& link, LinkTurns& turns, Timer& timer2, Presenter& presenter, DmxUniverse& universe,
                  DmxOutputView& view, Threads threads);

    // The window's thread.

    // CheckBox1's click event, run whenever the box's checked state changes.
    void CheckBox1Click(bool checked);

    // The main window is closing: output stops (box unchecked, timer stopped, link closed).
    void mainWindowClosing();

    // Whether the box holds output on.
    bool isOutputOn() const { return on_; }

    // LinkTurns::DmxOutput
    void stopForUpdateRun() override;
    void offer(bool offered) override;

    // The line's thread.

    // Timer2's tick: one frame, break, start code and the 512 levels.
    void Timer2Timer();

private:
    // The line's thread.
    void startOutput();
    void stopOutput();
    bool sendFrame();
    // Output is off at once; the window unchecks the box and tells `text` with the link's port and
    // reason under it.
    void fail(std::string_view text);

    // Both threads: set up at construction, then only read.
    const LinkTurns& turns_;
    Presenter& presenter_;
    DmxOutputView& view_;
    Threads threads_;

    // The window's thread.
    bool on_ = false;

    // The line's thread.
    Link& link_;
    Timer& timer2_;
    DmxUniverse& universe_;
    LineSteps frameSteps_;
    bool outputting_ = false;
};

} // namespace sus
