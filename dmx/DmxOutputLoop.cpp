// SPDX-License-Identifier: Apache-2.0
#include "dmx/DmxOutputLoop.h"

#include "core/Presenter.h"
#include "core/Timer.h"
#include "dmx/DmxOutputView.h"
#include "dmx/DmxUniverse.h"
#include "link/LineFrames.h"
#include "link/LineThreadCheck.h"
#include "link/Link.h"
#include "link/LinkFaultText.h"

#include <string>

namespace sus {

DmxOutputLoop::DmxOutputLoop(Link& link, LinkTurns& turns, Timer& timer2, Presenter& presenter,
                             DmxUniverse& universe, DmxOutputView& view, Threads threads)
    : turns_(turns), presenter_(presenter), view_(view), threads_(threads), link_(link), timer2_(timer2),
      universe_(universe)
{
    timer2_.setInterval(kDmxFramePeriodMs);
    timer2_.setOnTick([this] { Timer2Timer(); });
    turns.attach(*this);
}

void DmxOutputLoop::CheckBox1Click(bool checked)
{
    if (checked) {
        // The link belongs to the update run until it ends; frames between its packets would
        // corrupt both. Unchecking here runs this handler again with output still off, which
        // leaves the run's link alone.
        if (!turns_.dmxOutputMayStart()) {
            view_.uncheckOutputBox();
            return;
        }
        on_ = true;
        threads_.line.post([this] { startOutput(); });
        return;
    }
    if (on_) {
        on_ = false;
        threads_.line.post([this] { stopOutput(); });
    }
}

void DmxOutputLoop::stopForUpdateRun()
{
    view_.uncheckOutputBox();
}

void DmxOutputLoop::offer(bool offered)
{
    view_.setOutputOffered(offered);
}

void DmxOutputLoop::mainWindowClosing()
{
    view_.uncheckOutputBox();
}

void DmxOutputLoop::startOutput()
{
    SUS_ASSERT_ON_THE_LINES_THREAD();
    outputting_ = true;
    timer2_.setEnabled(true);
    if (!link_.OpenLink())
        fail(kDmxOpenFailedText);
}

void DmxOutputLoop::stopOutput()
{
    SUS_ASSERT_ON_THE_LINES_THREAD();
    timer2_.setEnabled(false);
    if (outputting_) {
        outputting_ = false;
        link_.CloseLink();
    }
}

void DmxOutputLoop::Timer2Timer()
{
    SUS_ASSERT_ON_THE_LINES_THREAD();
    if (!sendFrame())
        fail(kDmxWriteFailedText);
}

bool DmxOutputLoop::sendFrame()
{
    universe_.setLevel(kStartCodeSlot, kDmxStartCode);
    // The universe as it stands now, whole: a fader moved meanwhile lands in this frame or the next.
    const DmxFrameSlots frame = universe_.sentSlots();
    frameSteps_.clear();
    DmxFrame(frameSteps_, frame);
    // A failing step ends the frame; nothing more goes to a controller that refuses.
    return link_.run(frameSteps_);
}

void DmxOutputLoop::fail(std::string_view text)
{
    stopOutput();
    threads_.window.post([this, told = linkFaultText(text, link_)] {
        view_.uncheckOutputBox();
        presenter_.showMessage(told);
    });
}

} // namespace sus
