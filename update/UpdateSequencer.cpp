#include "update/UpdateSequencer.h"

#include "core/Presenter.h"
#include "core/Timer.h"
#include "link/Link.h"
#include "link/LinkFaultText.h"
#include "update/DmxOutputControl.h"
#include "update/UpdateFileLayout.h"
#include "update/UpdateFiles.h"
#include "update/UpdateMessages.h"
#include "update/UpdatePageView.h"

#include <algorithm>
#include <string>

namespace sus {

using namespace pacing;

UpdateSequencer::UpdateSequencer(UpdateFiles& files, Link& link, Timer& timer1, Presenter& presenter,
                                 UpdatePageView& view, DmxOutputControl& dmxOutput)
    : files_(files), link_(link), timer1_(timer1), presenter_(presenter), view_(view), dmxOutput_(dmxOutput)
{
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
    dmxOutput_.turnOff();
    dmxOutput_.setAvailable(false);
    runActive_ = true;
    outcome_ = RunOutcome::None;

    link_.CloseLink();
    if (!link_.OpenLink()) {
        failLink(kControllerNotOpened);
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
    if (runActive_)
        outcome_ = RunOutcome::Stopped;
    showStopped();
    state_ = SequencerState::Abort;
}

void UpdateSequencer::showStopped()
{
    view_.setStartEnabled(true);
    view_.setStopEnabled(false);
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
        timer1_.setEnabled(false);
        link_.CloseLink();
        endRun();
        break;
    case SequencerState::Abort:
        if (send(packets_.buildCommand(PacketType::AbortUpdate))) {
            state_ = SequencerState::Close;
            timer1_.setEnabled(true);
        }
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
        failLink(kControllerLost);
        return;
    }
    send(frame);
}

void UpdateSequencer::nextFileOrFinish()
{
    timer1_.setInterval(kBaseMs);
    if (fileIndex_ >= view_.fileCount()) {
        finish();
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
        stopForFile(RunOutcome::PasswordWrong, std::string(kPasswordWrong));
        return;
    case PrepareResult::CannotOpen:
        stopForFile(RunOutcome::FileRefused, fileFailureText(kCanNotOpenTheFile, path, files_.failureReason()));
        return;
    }
    if (!send(packets_.buildCommand(PacketType::StartOfFile)))
        return;
    view_.setStartEnabled(false);
    view_.setStopEnabled(true);
    state_ = handshakeDone_ ? SequencerState::HeaderStart : SequencerState::Identify1;
}

void UpdateSequencer::finish()
{
    timer1_.setEnabled(false);
    view_.setStartEnabled(true);
    view_.setStopEnabled(false);
    // The fixture resets on FinishUpdate: it goes out only once the user has read the message.
    presenter_.showMessage(std::string(kUpdateFinished));
    if (!send(packets_.buildCommand(PacketType::FinishUpdate)))
        return;
    outcome_ = RunOutcome::Finished;
    state_ = SequencerState::Close;
    timer1_.setEnabled(true);
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
    failLink(kControllerLost);
    return false;
}

void UpdateSequencer::stopForFile(RunOutcome outcome, const std::string& message)
{
    outcome_ = outcome;
    // The files before this one were sent whole; this one is not sent at all. Stop stays usable
    // and the failing file stays selected, so the next Start begins with it.
    timer1_.setEnabled(false);
    presenter_.showMessage(message);
    link_.CloseLink();
    endRun();
}

void UpdateSequencer::failLink(std::string_view message)
{
    outcome_ = RunOutcome::LinkFailed;
    endAtOnce();
    presenter_.showMessage(linkFaultText(message, link_));
}

void UpdateSequencer::abortForWindowClose()
{
    if (!runActive_)
        return;
    if (outcome_ == RunOutcome::None)
        outcome_ = RunOutcome::Stopped;
    // A run that already sent its last packet (FinishUpdate or AbortUpdate) only has the link to close.
    if (state_ != SequencerState::Close && link_.isOpen())
        link_.MarkedWrite(packets_.buildCommand(PacketType::AbortUpdate).data(), packet::kShortPacketLength);
    endAtOnce();
}

void UpdateSequencer::endAtOnce()
{
    timer1_.setEnabled(false);
    link_.CloseLink();
    showStopped();
    state_ = SequencerState::Close;
    endRun();
}

void UpdateSequencer::endRun()
{
    runActive_ = false;
    dmxOutput_.setAvailable(link_.controllerFound());
}

void UpdateSequencer::showProgress()
{
    const auto size = static_cast<std::uint64_t>(std::max(files_.updateImage().size(), 0));
    const std::uint64_t percent =
        size == 0 ? 0 : std::min<std::uint64_t>(100, imagePos_ * std::uint64_t{100} / size);
    view_.setProgress(static_cast<int>(percent));
}

} // namespace sus
