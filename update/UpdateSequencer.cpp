#include "update/UpdateSequencer.h"

#include "core/Presenter.h"
#include "core/Timer.h"
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

UpdateSequencer::UpdateSequencer(UpdateFiles& files, Link& link, LinkTurns& turns, Timer& timer1,
                                 Presenter& presenter, UpdatePageView& view)
    : files_(files), link_(link), timer1_(timer1), presenter_(presenter), view_(view), turns_(turns)
{
    timer1_.setInterval(kBaseMs);
    timer1_.setOnTick([this] { Timer1Timer(); });
}

void UpdateSequencer::SpeedButton2Click()
{
    if (view_.passwordText().empty()) {
        outcome_ = RunOutcome::EmptyPassword;
        presenter_.showMessage(std::string(kEnterThePassword));
        return;
    }
    // DMX output shares the link: it stops, and stays off, before the run opens the link for itself.
    turns_.updateRunStarts();
    runActive_ = true;
    outcome_ = RunOutcome::None;
    for (UpdateRunListener* listener : listeners_)
        listener->updateRunStarted();

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
    if (view_.selectedIndex() < 0 && view_.fileCount() > 0)
        view_.setSelectedIndex(0);
    fileIndex_ = std::max(0, view_.selectedIndex());
    timer1_.setEnabled(true);
}

void UpdateSequencer::SpeedButton3Click()
{
    if (!runActive_) {
        // After a refused file Stop is still usable: it resets the page, with nothing to send.
        showPage(RunEndingRule::Page::AsStopped);
        return;
    }
    // Once FinishUpdate or AbortUpdate is out, there is nothing left to stop.
    if (finalPacketOut() || state_ == SequencerState::Abort)
        return;
    end(RunEnding::Stopped);
}

void UpdateSequencer::abortForWindowClose()
{
    if (runActive_)
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
        timer1_.setEnabled(false);
        presenter_.showMessage(message);
    }
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
        presenter_.showMessage(message);
}

bool UpdateSequencer::sendFinalPacket(const RunEndingRule& rule)
{
    const PacketType type = rule.packet == RunEndingRule::FinalPacket::FinishUpdate ? PacketType::FinishUpdate
                                                                                    : PacketType::AbortUpdate;
    const auto packet = packets_.buildCommand(type);
    if (rule.failedPacket == RunEndingRule::FailedPacket::IsLetBe)
        return link_.MarkedWrite(packet.data(), packet.size());
    return send(packet);
}

void UpdateSequencer::closeAndEnd()
{
    timer1_.setEnabled(false);
    link_.CloseLink();
    if (!runActive_)
        return;
    runActive_ = false;
    turns_.updateRunEnded();
    for (UpdateRunListener* listener : listeners_)
        listener->updateRunEnded(outcome_);
}

void UpdateSequencer::showPage(RunEndingRule::Page page)
{
    if (page == RunEndingRule::Page::AsItWas)
        return;
    view_.setStartEnabled(true);
    view_.setStopEnabled(false);
    if (page == RunEndingRule::Page::AsFinished)
        return;
    fileIndex_ = 0;
    imagePos_ = 0;
    view_.setProgress(0);
}

void UpdateSequencer::Timer1Timer()
{
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
    view_.setStartEnabled(false);
    view_.setStopEnabled(true);
    // The frame goes out in either case: the count reaching its last value ends the wake-up
    // after this frame.
    if (wakeCount_ >= kWakeUpFrames - 1)
        state_ = SequencerState::NextFile;
    else
        ++wakeCount_;
    timer1_.setInterval(kWakeUpMs);
    const auto frame = packets_.buildWakeFrame();
    if (!link_.BreakByte(Link::BreakForm::MarkedWrite, frame[0])) {
        end(RunEnding::LinkFailed, linkFaultText(kControllerLost, link_));
        return;
    }
    send(frame);
}

void UpdateSequencer::nextFileOrFinish()
{
    timer1_.setInterval(kBaseMs);
    if (fileIndex_ >= view_.fileCount()) {
        end(RunEnding::Finished, std::string(kUpdateFinished));
        return;
    }
    view_.setSelectedIndex(fileIndex_);
    const std::string path = view_.fileAt(fileIndex_);
    files_.setCurrentFilePath(path);
    files_.setTypedPassword(view_.passwordText());
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
    view_.setStartEnabled(false);
    view_.setStopEnabled(true);
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

bool UpdateSequencer::send(std::span<const std::uint8_t> packet)
{
    if (link_.MarkedWrite(packet.data(), packet.size()))
        return true;
    end(RunEnding::LinkFailed, linkFaultText(kControllerLost, link_));
    return false;
}

void UpdateSequencer::showProgress()
{
    const auto size = static_cast<std::uint64_t>(std::max(files_.updateImage().size(), 0));
    const std::uint64_t percent =
        size == 0 ? 0 : std::min<std::uint64_t>(100, imagePos_ * std::uint64_t{100} / size);
    view_.setProgress(static_cast<int>(percent));
}

} // namespace sus
