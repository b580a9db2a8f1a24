#include "dmx/DmxOutputLoop.h"

#include "core/Presenter.h"
#include "core/Timer.h"
#include "dmx/DmxOutputView.h"
#include "dmx/DmxUniverse.h"
#include "link/Link.h"
#include "link/LinkFaultText.h"

#include <string>

namespace sus {

DmxOutputLoop::DmxOutputLoop(Link& link, LinkTurns& turns, Timer& timer2, Presenter& presenter,
                             DmxUniverse& universe, DmxOutputView& view)
    : link_(link), turns_(turns), timer2_(timer2), presenter_(presenter), universe_(universe), view_(view)
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
        timer2_.setEnabled(true);
        if (!link_.OpenLink())
            stopWithMessage(kDmxOpenFailedText);
        return;
    }

    timer2_.setEnabled(false);
    if (on_) {
        on_ = false;
        link_.CloseLink();
    }
}

void DmxOutputLoop::Timer2Timer()
{
    if (!sendFrame())
        stopWithMessage(kDmxWriteFailedText);
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

bool DmxOutputLoop::sendFrame()
{
    universe_.setLevel(kStartCodeSlot, kDmxStartCode);
    const std::uint8_t* frame = universe_.frame();
    // The order is the frame's shape on the wire: break, start code, then the levels at mark parity
    // in one write. A failing step ends the frame; nothing more goes to a controller that refuses.
    return link_.BreakByte(Link::BreakForm::PlainWrite, frame[kStartCodeSlot]) &&
           link_.write(frame + kStartCodeSlot, 1) && link_.applyMarkParity() &&
           link_.write(frame + kFirstLevelSlot, kSentLevelCount);
}

void DmxOutputLoop::stopWithMessage(std::string_view text)
{
    view_.uncheckOutputBox();
    presenter_.showMessage(linkFaultText(text, link_));
}

} // namespace sus
