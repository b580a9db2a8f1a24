// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateSequencer.h"

#include "core/Presenter.h"
#include "core/Timer.h"
#include "link/LineThreadCheck.h"
#include "link/Link.h"
#include "link/LinkFaultText.h"
#include "link/LinkTurns.h"
#include "update/UpdateMessages.h"
#include "update/UpdateRunListener.h"

#include <string>

namespace sus {

UpdateSequencer::UpdateSequencer(UpdateFiles& files, Link& link, LinkTurns& turns, Timer& timer1,
                                 Presenter& presenter, Threads threads, WaitableClock& lineClock)
    : presenter_(presenter), turns_(turns), threads_(threads), files_(files), link_(link), timer1_(timer1),
      gaps_(lineClock, timer1)
{
    timer1_.setInterval(pacing::kBaseMs);
    timer1_.setOnTick([this] { Timer1Timer(); });
}

bool UpdateSequencer::start(RunRequest request)
{
    if (shownRunActive_)
        return false;
    if (!request.passwordGiven()) {
        // A run refused at Start has no progress, only its outcome.
        shownProgress_ = {};
        shownProgress_.outcome = RunOutcome::EmptyPassword;
        presenter_.showMessage(std::string(kEnterThePassword));
        return false;
    }
    // DMX output shares the link: it stops, and stays off, before the run opens the link for itself.
    turns_.updateRunStarts();
    shownRunActive_ = true;
    shownProgress_ = {};
    for (UpdateRunListener* listener : listeners_)
        listener->updateRunStarted(request);
    threads_.line.post([this, request = std::move(request)]() mutable { startRun(std::move(request)); });
    return true;
}

void UpdateSequencer::stop()
{
    if (shownRunActive_)
        threads_.line.post([this] { stopRun(); });
}

void UpdateSequencer::abortForWindowClose()
{
    if (shownRunActive_)
        threads_.line.post([this] { abortRun(); });
}

void UpdateSequencer::progressed(const RunProgress& progress)
{
    shownProgress_ = progress;
    for (UpdateRunListener* listener : listeners_)
        listener->updateRunProgressed(progress);
}

void UpdateSequencer::runEnded(const RunProgress& progress)
{
    shownRunActive_ = false;
    shownProgress_ = progress;
    turns_.updateRunEnded();
    for (UpdateRunListener* listener : listeners_)
        listener->updateRunEnded(progress);
}

void UpdateSequencer::startRun(RunRequest request)
{
    SUS_ASSERT_ON_THE_LINES_THREAD();
    runActive_ = true;
    awaitingUser_ = false;
    outcome_ = RunOutcome::None;
    gaps_.restart();
    script_.emplace(files_, std::move(request));

    link_.CloseLink();
    if (!link_.OpenLink()) {
        end(RunEnding::LinkFailed, linkFaultText(kControllerNotOpened, link_));
        return;
    }
    postProgress();
    timer1_.setEnabled(true);
}

void UpdateSequencer::stopRun()
{
    SUS_ASSERT_ON_THE_LINES_THREAD();
    // Once FinishUpdate or AbortUpdate is out or due, there is nothing left to stop; nor while the user
    // reads a message that holds the run (the window's box keeps the button from being pressed).
    if (!runActive_ || awaitingUser_ || !script_->canStop())
        return;
    end(RunEnding::Stopped);
}

void UpdateSequencer::abortRun()
{
    SUS_ASSERT_ON_THE_LINES_THREAD();
    if (!runActive_)
        return;
    // Nobody is left to dismiss a message that holds the run.
    awaitingUser_ = false;
    end(RunEnding::WindowClosed);
}

void UpdateSequencer::Timer1Timer()
{
    SUS_ASSERT_ON_THE_LINES_THREAD();
    gaps_.tickCame();
    if (!runActive_)
        return;
    const RunTick& tick = script_->tick();
    if (tick.intervalMs)
        timer1_.setInterval(*tick.intervalMs);
    if (tick.closesLink) {
        closeAndEnd();
        return;
    }
    if (!put(tick)) {
        script_->lineRefused();
        linkLost();
        return;
    }
    if (tick.ending) {
        end(*tick.ending, tick.message);
        return;
    }
    postProgress();
}

bool UpdateSequencer::put(const RunTick& tick)
{
    return tick.steps.steps().empty() || link_.run(tick.steps, &gaps_);
}

void UpdateSequencer::end(RunEnding ending, const std::string& message)
{
    using Rule = RunEndingRule;
    const Rule rule = ruleFor(ending);
    // A run whose last packet is out has its outcome: closing the window then only closes the link.
    const bool packetAlreadyOut = script_->finalPacketOut();
    if (!packetAlreadyOut) {
        outcome_ = rule.outcome;
        script_->endsAs(ending);
    }
    if (rule.page == Rule::Page::AsStopped)
        script_->forgetPosition();
    postProgress();
    if (rule.message == Rule::Message::First) {
        // The message holds the run: no tick comes until it has been dismissed.
        timer1_.setEnabled(false);
        tellThen(message, [this, rule, packetAlreadyOut] { finishEnding(rule, packetAlreadyOut, {}); });
        return;
    }
    finishEnding(rule, packetAlreadyOut, message);
}

void UpdateSequencer::finishEnding(const RunEndingRule& rule, bool packetAlreadyOut,
                                   const std::string& lastMessage)
{
    using Rule = RunEndingRule;
    if (rule.packet != Rule::FinalPacket::None && !packetAlreadyOut && link_.isOpen()) {
        if (rule.packetTime == Rule::PacketTime::NextTick) {
            script_->abortAtNextTick();
            postProgress();
            return;
        }
        if (!put(script_->finalPacket(rule.packet))) {
            script_->lineRefused();
            if (rule.failedPacket == Rule::FailedPacket::EndsAsLinkFailed) {
                linkLost();
                return;
            }
        }
    }
    if (rule.closing == Rule::Closing::TickAfterFinalPacket && !packetAlreadyOut) {
        script_->closeAtNextTick();
        postProgress();
        timer1_.setEnabled(true);
        return;
    }
    closeAndEnd();
    if (rule.message == Rule::Message::Last)
        threads_.window.post([this, lastMessage] { presenter_.showMessage(lastMessage); });
}

void UpdateSequencer::linkLost()
{
    end(RunEnding::LinkFailed, linkFaultText(kControllerLost, link_));
}

void UpdateSequencer::tellThen(const std::string& text, std::function<void()> then)
{
    awaitingUser_ = true;
    threads_.window.post([this, text, then = std::move(then)]() mutable {
        presenter_.showMessage(text);
        threads_.line.post([this, then = std::move(then)] {
            if (!awaitingUser_)
                return;
            awaitingUser_ = false;
            then();
        });
    });
}

void UpdateSequencer::closeAndEnd()
{
    timer1_.setEnabled(false);
    link_.CloseLink();
    if (!runActive_)
        return;
    runActive_ = false;
    script_->closed(outcome_);
    threads_.window.post([this, progress = script_->progress()] { runEnded(progress); });
}

void UpdateSequencer::postProgress()
{
    threads_.window.post([this, progress = script_->progress()] { progressed(progress); });
}

} // namespace sus
