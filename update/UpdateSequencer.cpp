// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateSequencer.h"

#include "core/Presenter.h"
#include "core/Timer.h"
#include "link/LineFrames.h"
#include "link/Link.h"
#include "link/LinkFaultText.h"
#include "link/LinkTurns.h"
#include "update/UpdateFileLayout.h"
#include "update/UpdateFiles.h"
#include "update/UpdateMessages.h"
#include "update/UpdatePageView.h"
#include "update/UpdateRunListener.h"

#include <algorithm>
#include <string>

namespace sus {

using namespace pacing;

namespace {

// The page once a run is over: Start usable, Stop not, and the bar back to 0 unless it is kept.
void showRunOver(UpdatePageView& view, bool keepsBar)
{
    view.setStartEnabled(true);
    view.setStopEnabled(false);
    if (!keepsBar)
        view.setProgress(0);
}

} // namespace

UpdateSequencer::UpdateSequencer(UpdateFiles& files, Link& link, LinkTurns& turns, Timer& timer1,
                                 Presenter& presenter, UpdatePageView& view, Threads threads,
                                 WaitableClock& lineClock)
    : presenter_(presenter), view_(view), turns_(turns), threads_(threads), files_(files), link_(link),
      timer1_(timer1), gaps_(lineClock, timer1)
{
    timer1_.setInterval(kBaseMs);
    timer1_.setOnTick([this] { Timer1Timer(); });
}

void UpdateSequencer::SpeedButton2Click()
{
    if (view_.passwordText().empty()) {
        shownOutcome_ = RunOutcome::EmptyPassword;
        presenter_.showMessage(std::string(kEnterThePassword));
        return;
    }
    // DMX output shares the link: it stops, and stays off, before the run opens the link for itself.
    turns_.updateRunStarts();
    shownRunActive_ = true;
    shownOutcome_ = RunOutcome::None;
    for (UpdateRunListener* listener : listeners_)
        listener->updateRunStarted();
    RunRequest request = RunRequest::fromPage(view_);
    request.filePasswords = filePasswords_;
    threads_.line.post([this, request = std::move(request)]() mutable { startRun(std::move(request)); });
}

void UpdateSequencer::startRun(RunRequest request)
{
    runActive_ = true;
    awaitingUser_ = false;
    outcome_ = RunOutcome::None;
    request_ = std::move(request);
    gaps_.restart();

    link_.CloseLink();
    if (!link_.OpenLink()) {
        end(RunEnding::LinkFailed, linkFaultText(kControllerNotOpened, link_));
        return;
    }
    wakeCount_ = 0;
    state_ = SequencerState::WakeUp;
    handshakeDone_ = false;
    // Every run sends the whole handshake, not only the first one after start-up.
    handshakeRound_ = 0;
    if (request_.selectedIndex < 0 && !request_.files.empty())
        onPage([](UpdatePageView& view) { view.setSelectedIndex(0); });
    fileIndex_ = std::max(0, request_.selectedIndex);
    timer1_.setEnabled(true);
}

void UpdateSequencer::SpeedButton3Click()
{
    if (!shownRunActive_) {
        // After a refused file Stop is still usable: it resets the page, with nothing to send.
        showRunOver(view_, false);
        threads_.line.post([this] {
            fileIndex_ = 0;
            imagePos_ = 0;
        });
        return;
    }
    threads_.line.post([this] { stopRun(); });
}

void UpdateSequencer::abortForWindowClose()
{
    if (shownRunActive_)
        threads_.line.post([this] { abortRun(); });
}

void UpdateSequencer::runEnded(RunOutcome outcome)
{
    shownRunActive_ = false;
    shownOutcome_ = outcome;
    turns_.updateRunEnded();
    for (UpdateRunListener* listener : listeners_)
        listener->updateRunEnded(outcome);
}

void UpdateSequencer::stopRun()
{
    // Once FinishUpdate or AbortUpdate is out, there is nothing left to stop; nor while the user
    // reads a message that holds the run (the window's box keeps the button from being pressed).
    if (!runActive_ || awaitingUser_ || finalPacketOut() || state_ == SequencerState::Abort)
        return;
    end(RunEnding::Stopped);
}

void UpdateSequencer::abortRun()
{
    if (!runActive_)
        return;
    // Nobody is left to dismiss a message that holds the run.
    awaitingUser_ = false;
    end(RunEnding::WindowClosed);
}

void UpdateSequencer::end(RunEnding ending, const std::string& message)
{
    using Rule = RunEndingRule;
    const Rule rule = ruleFor(ending);
    // A run whose last packet is out has its outcome: closing the window then only closes the link.
    const bool packetAlreadyOut = finalPacketOut();
    if (!packetAlreadyOut)
        outcome_ = rule.outcome;
    showPage(rule.page);
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
            state_ = SequencerState::Abort;
            return;
        }
        if (!sendFinalPacket(rule) && rule.failedPacket == Rule::FailedPacket::EndsAsLinkFailed)
            return;
    }
    if (rule.closing == Rule::Closing::TickAfterFinalPacket && !packetAlreadyOut) {
        state_ = SequencerState::Close;
        timer1_.setEnabled(true);
        return;
    }
    closeAndEnd();
    if (rule.message == Rule::Message::Last)
        threads_.window.post([this, lastMessage] { presenter_.showMessage(lastMessage); });
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

void UpdateSequencer::onPage(std::function<void(UpdatePageView&)> change)
{
    threads_.window.post([this, change = std::move(change)] { change(view_); });
}

bool UpdateSequencer::sendFinalPacket(const RunEndingRule& rule)
{
    const PacketType type = rule.packet == RunEndingRule::FinalPacket::FinishUpdate ? PacketType::FinishUpdate
                                                                                    : PacketType::AbortUpdate;
    const auto packet = packets_.buildCommand(type);
    if (rule.failedPacket == RunEndingRule::FailedPacket::IsLetBe)
        return writePacket(packet);
    return send(packet);
}

void UpdateSequencer::closeAndEnd()
{
    timer1_.setEnabled(false);
    link_.CloseLink();
    if (!runActive_)
        return;
    runActive_ = false;
    threads_.window.post([this, outcome = outcome_] { runEnded(outcome); });
}

void UpdateSequencer::showPage(RunEndingRule::Page page)
{
    if (page == RunEndingRule::Page::AsItWas)
        return;
    const bool keepsBar = page == RunEndingRule::Page::AsFinished;
    if (!keepsBar) {
        fileIndex_ = 0;
        imagePos_ = 0;
    }
    onPage([keepsBar](UpdatePageView& view) { showRunOver(view, keepsBar); });
}

void UpdateSequencer::Timer1Timer()
{
    gaps_.tickCame();
    switch (state_) {
    case SequencerState::NextFile:
        nextFileOrFinish();
        break;
    case SequencerState::Close:
        closeAndEnd();
        break;
    case SequencerState::Abort:
        if (sendFinalPacket(ruleFor(RunEnding::Stopped)))
            state_ = SequencerState::Close;
        break;
    case SequencerState::WakeUp:
        wakeUpFrame();
        break;
    case SequencerState::Identify1: {
        const auto tail = files_.updateImage().handshakeTail(files_.imageKey());
        if (send(packets_.buildIdentify1(tail[0], tail[1])))
            state_ = SequencerState::Identify2;
        break;
    }
    case SequencerState::Identify2:
        if (send(packets_.buildIdentify2()))
            state_ = SequencerState::Identify3;
        break;
    case SequencerState::Identify3:
        if (send(packets_.buildIdentify3()))
            state_ = SequencerState::CountRound;
        break;
    case SequencerState::CountRound:
        countHandshakeRound();
        break;
    case SequencerState::HeaderStart:
        timer1_.setInterval(kBaseMs);
        imagePos_ = static_cast<std::uint32_t>(update_file::kHeaderBlockOffset);
        blockCounter_ = 0;
        state_ = SequencerState::HeaderFirst;
        break;
    case SequencerState::HeaderFirst:
        sendHeader();
        break;
    case SequencerState::HeaderSecond:
        timer1_.setInterval(kBaseMs);
        if (send(packets_.lastPacket())) {
            blockCounter_ = kFirstDataBlock - 1;
            imagePos_ = static_cast<std::uint32_t>(update_file::kImageDataOffset);
            state_ = SequencerState::DataBlock;
        }
        break;
    case SequencerState::DataBlock:
        sendDataBlock();
        break;
    case SequencerState::DataBlockAgain:
        if (send(packets_.lastPacket()))
            state_ = SequencerState::DataBlock;
        break;
    case SequencerState::EndOfFile:
        timer1_.setInterval(kWakeUpMs);
        if (send(packets_.buildCommand(PacketType::EndOfFile))) {
            imagePos_ = 0;
            state_ = SequencerState::NextFile;
        }
        break;
    }
    showProgress();
}

void UpdateSequencer::wakeUpFrame()
{
    onPage([sent = wakeCount_ + 1](UpdatePageView& view) {
        view.setStartEnabled(false);
        view.setStopEnabled(true);
        view.showWakeUpFrames(sent, kWakeUpFrames);
    });
    // The frame goes out in either case: the count reaching its last value ends the wake-up
    // after this frame.
    if (wakeCount_ >= kWakeUpFrames - 1)
        state_ = SequencerState::NextFile;
    else
        ++wakeCount_;
    timer1_.setInterval(kWakeUpMs);
    lineSteps_.clear();
    WakeUpFrame(lineSteps_, packets_.buildWakeFrame());
    if (!link_.run(lineSteps_, &gaps_))
        linkLost();
}

void UpdateSequencer::nextFileOrFinish()
{
    timer1_.setInterval(kBaseMs);
    if (fileIndex_ >= static_cast<int>(request_.files.size())) {
        end(RunEnding::Finished, std::string(kUpdateFinished));
        return;
    }
    onPage([index = fileIndex_](UpdatePageView& view) { view.setSelectedIndex(index); });
    const std::string path = request_.files[static_cast<std::size_t>(fileIndex_)];
    files_.setCurrentFilePath(path);
    files_.setTypedPassword(request_.passwordFor(static_cast<std::size_t>(fileIndex_)));
    ++fileIndex_;

    switch (files_.PrepareUpdateFile()) {
    case PrepareResult::Ready:
        break;
    case PrepareResult::PasswordWrong:
        // The files before this one were sent whole; this one is not sent at all.
        end(RunEnding::PasswordWrong, std::string(kPasswordWrong));
        return;
    case PrepareResult::CannotOpen:
        end(RunEnding::FileRefused, fileFailureText(kCanNotOpenTheFile, path, files_.failureReason()));
        return;
    }
    if (!send(packets_.buildCommand(PacketType::StartOfFile)))
        return;
    onPage([](UpdatePageView& view) {
        view.setStartEnabled(false);
        view.setStopEnabled(true);
    });
    state_ = handshakeDone_ ? SequencerState::HeaderStart : SequencerState::Identify1;
}

void UpdateSequencer::countHandshakeRound()
{
    ++handshakeRound_;
    if (handshakeRound_ >= kHandshakeRounds) {
        state_ = SequencerState::HeaderStart;
        timer1_.setInterval(kLongPauseMs);
        handshakeDone_ = true;
    } else {
        state_ = SequencerState::Identify1;
    }
}

void UpdateSequencer::sendHeader()
{
    const UpdateImage& image = files_.updateImage();
    if (image.wantsLongHeaderPause(files_.imageKey()))
        timer1_.setInterval(kLongPauseMs);
    const auto header = packets_.buildHeaderPacket(image, files_.imageKey());
    imagePos_ += static_cast<std::uint32_t>(update_file::kHeaderBlockLength);
    if (send(header))
        state_ = SequencerState::HeaderSecond;
}

void UpdateSequencer::sendDataBlock()
{
    timer1_.setInterval(kBaseMs);
    const UpdateImage& image = files_.updateImage();
    if (imagePos_ > static_cast<std::uint32_t>(image.size())) {
        state_ = SequencerState::EndOfFile;
        return;
    }
    ++blockCounter_;
    const auto block = packets_.buildDataBlock(static_cast<std::uint16_t>(blockCounter_ & 0xFFFF), image,
                                               imagePos_, files_.imageKey());
    imagePos_ += static_cast<std::uint32_t>(packet::kBlockPayload);
    if (send(block))
        state_ = SequencerState::DataBlockAgain;
}

bool UpdateSequencer::writePacket(std::span<const std::uint8_t> packet)
{
    lineSteps_.clear();
    MarkedWrite(lineSteps_, packet);
    return link_.run(lineSteps_, &gaps_);
}

bool UpdateSequencer::send(std::span<const std::uint8_t> packet)
{
    return writePacket(packet) || linkLost();
}

bool UpdateSequencer::linkLost()
{
    end(RunEnding::LinkFailed, linkFaultText(kControllerLost, link_));
    return false;
}

void UpdateSequencer::showProgress()
{
    const auto size = static_cast<std::uint64_t>(std::max(files_.updateImage().size(), 0));
    const std::uint64_t percent =
        size == 0 ? 0 : std::min<std::uint64_t>(100, imagePos_ * std::uint64_t{100} / size);
    onPage([percent](UpdatePageView& view) { view.setProgress(static_cast<int>(percent)); });
}

} // namespace sus
