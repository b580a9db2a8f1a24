#pragma once

#include "link/LinkTurns.h"

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
class DmxOutputLoop : public LinkTurns::DmxOutput {
public:
    // Sets up Timer2 (its interval, its ticks) and attaches itself to `turns`.
    DmxOutputLoop(Link& link, LinkTurns& turns, Timer& timer2, Presenter& presenter, DmxUniverse& universe,
                  DmxOutputView& view);

    // CheckBox1's click event, run whenever the box's checked state changes.
    void CheckBox1Click(bool checked);

    // Timer2's tick: one frame, break, start code and the 512 levels.
    void Timer2Timer();

    // The main window is closing: output stops (box unchecked, timer stopped, link closed).
    void mainWindowClosing();

    bool isOutputOn() const { return on_; }

    // LinkTurns::DmxOutput
    void stopForUpdateRun() override;
    void offer(bool offered) override;

private:
    bool sendFrame();
    // Output is off, and the user is told `text` with the link's port and reason under it.
    void stopWithMessage(std::string_view text);

    Link& link_;
    const LinkTurns& turns_;
    Timer& timer2_;
    Presenter& presenter_;
    DmxUniverse& universe_;
    DmxOutputView& view_;
    bool on_ = false;
};

} // namespace sus
