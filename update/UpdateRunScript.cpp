// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateRunScript.h"

#include "link/LineFrames.h"
#include "update/UpdateFileLayout.h"
#include "update/UpdateFiles.h"
#include "update/UpdateMessages.h"

#include <algorithm>
#include <utility>

namespace sus {

using namespace pacing;
using State = SequencerState;
using Phase = RunProgress::Phase;

namespace {

constexpr auto kHeaderBlockOffset = static_cast<std::uint32_t>(update_file::kHeaderBlockOffset);
constexpr auto kHeaderBlockLength = static_cast<std::uint32_t>(update_file::kHeaderBlockLength);
constexpr auto kImageDataOffset = static_cast<std::uint32_t>(update_file::kImageDataOffset);
constexpr auto kBlockPayload = static_cast<std::uint32_t>(packet::kBlockPayload);

} // namespace

UpdateRunScript::UpdateRunScript(UpdateFiles& files, RunRequest request)
    : files_(files), request_(std::move(request)), fileIndex_(request_.firstFile())
{
    progress_.wakeUpFramesTotal = kWakeUpFrames;
    progress_.filesInRun =
        static_cast<unsigned>(request_.files.size() - std::min(fileIndex_, request_.files.size()));
    if (fileIndex_ < request_.files.size()) {
        progress_.fileIndex = static_cast<int>(fileIndex_);
        progress_.filePath = request_.files[fileIndex_];
    }
}

// Each state's step, with the interval it sets for the tick after it; a state that sets none keeps
// the one in force.
const RunTick& UpdateRunScript::tick()
{
    startTick();
    switch (state_) {
    case State::WakeUp:
        setInterval(kWakeUpMs);
        wakeUpFrame();
        break;
    case State::NextFile:
        setInterval(kBaseMs);
        nextFileOrFinish();
        break;
    case State::Identify1: {
        const auto tail = files_.updateImage().handshakeTail(files_.imageKey());
        send(packets_.buildIdentify1(tail[0], tail[1]), State::Identify2);
        break;
    }
    case State::Identify2:
        send(packets_.buildIdentify2(), State::Identify3);
        break;
    case State::Identify3:
        send(packets_.buildIdentify3(), State::CountRound);
        break;
    case State::CountRound: // kLongPauseMs once the last round is counted
        countHandshakeRound();
        break;
    case State::HeaderStart:
        setInterval(kBaseMs);
        headerStart();
        break;
    case State::HeaderFirst: // kLongPauseMs when the file asks for it
        headerFirst();
        break;
    case State::HeaderSecond:
        setInterval(kBaseMs);
        headerSecond();
        break;
    case State::DataBlock:
        setInterval(kBaseMs);
        dataBlock();
        break;
    case State::DataBlockAgain:
        send(packets_.lastPacket(), State::DataBlock);
        break;
    case State::EndOfFile:
        setInterval(kWakeUpMs);
        endOfFile();
        break;
    case State::Abort:
        send(packets_.buildCommand(PacketType::AbortUpdate), State::Close);
        progress_.sent.abortUpdate = true;
        progress_.phase = Phase::Closing;
        break;
    case State::Close:
        tick_.closesLink = true;
        break;
    }
    showProgress();
    if (imagePos_ != 0)
        progress_.fileSent = std::min<std::uint64_t>(imagePos_, progress_.fileSize);
    progress_.fileMsLeft = fileMsLeft(progress_.fileSize);
    return tick_;
}

void UpdateRunScript::wakeUpFrame()
{
    // The frame goes out in either case: the count reaching its last value ends the wake-up after it.
    if (wakeCount_ >= kWakeUpFrames - 1)
        state_ = State::NextFile;
    else
        ++wakeCount_;
    const auto zeros = packets_.buildWakeFrame();
    WakeUpFrame(tick_.steps, zeros);
    tick_.unit = RunTick::Unit::WakeUpFrame;
    tick_.unitBytes = zeros;
    ++progress_.sent.wakeUpFrames;
    progress_.phase = Phase::Waking;
}

void UpdateRunScript::nextFileOrFinish()
{
    if (fileIndex_ >= request_.files.size()) {
        endRun(RunEnding::Finished, std::string(kUpdateFinished));
        return;
    }
    const std::string& path = request_.files[fileIndex_];
    progress_.fileIndex = static_cast<int>(fileIndex_);
    progress_.filePath = path;
    ++progress_.fileNumber;
    progress_.fileSent = 0;
    files_.setCurrentFilePath(path);
    files_.setTypedPassword(request_.passwordFor(fileIndex_));
    ++fileIndex_;

    switch (files_.PrepareUpdateFile()) {
    case PrepareResult::Ready:
        break;
    case PrepareResult::PasswordWrong:
        // The files before this one were sent whole; this one is not sent at all.
        endRun(RunEnding::PasswordWrong, std::string(kPasswordWrong));
        return;
    case PrepareResult::CannotOpen:
        endRun(RunEnding::FileRefused, fileFailureText(kCanNotOpenTheFile, path, files_.failureReason()));
        return;
    }
    send(packets_.buildCommand(PacketType::StartOfFile),
         handshakeDone_ ? State::HeaderStart : State::Identify1);
    progress_.phase = handshakeDone_ ? Phase::File : Phase::Handshake;
}

void UpdateRunScript::countHandshakeRound()
{
    ++handshakeRound_;
    if (handshakeRound_ < kHandshakeRounds) {
        state_ = State::Identify1;
        return;
    }
    state_ = State::HeaderStart;
    setInterval(kLongPauseMs);
    handshakeDone_ = true;
    progress_.phase = Phase::Pause;
}

void UpdateRunScript::headerStart()
{
    imagePos_ = kHeaderBlockOffset;
    blockCounter_ = 0;
    state_ = State::HeaderFirst;
    progress_.phase = Phase::File;
}

void UpdateRunScript::headerFirst()
{
    const UpdateImage& image = files_.updateImage();
    const bool longPause = image.wantsLongHeaderPause(files_.imageKey());
    if (longPause)
        setInterval(kLongPauseMs);
    imagePos_ += kHeaderBlockLength;
    send(packets_.buildHeaderPacket(image, files_.imageKey()), State::HeaderSecond);
    progress_.phase = longPause ? Phase::Pause : Phase::File;
}

void UpdateRunScript::headerSecond()
{
    send(packets_.lastPacket(), State::DataBlock);
    blockCounter_ = kFirstDataBlock - 1;
    imagePos_ = kImageDataOffset;
    progress_.phase = Phase::File;
}

void UpdateRunScript::dataBlock()
{
    const UpdateImage& image = files_.updateImage();
    // While the position is at most the size, not below it: data that ends on a multiple of 256 gets
    // one more block, of zeros.
    if (imagePos_ > static_cast<std::uint32_t>(image.size())) {
        state_ = State::EndOfFile;
        return;
    }
    ++blockCounter_;
    const auto block = packets_.buildDataBlock(static_cast<std::uint16_t>(blockCounter_ & 0xFFFF), image,
                                               imagePos_, files_.imageKey());
    imagePos_ += kBlockPayload;
    send(block, State::DataBlockAgain);
}

void UpdateRunScript::endOfFile()
{
    send(packets_.buildCommand(PacketType::EndOfFile), State::NextFile);
    imagePos_ = 0;
    ++progress_.sent.filesWhole;
    progress_.phase = Phase::EndOfFile;
}

void UpdateRunScript::send(std::span<const std::uint8_t> packet, SequencerState next)
{
    MarkedWrite(tick_.steps, packet);
    tick_.unit = RunTick::Unit::Packet;
    tick_.unitBytes = packet;
    ++progress_.sent.packets;
    state_ = next;
}

void UpdateRunScript::endRun(RunEnding ending, std::string message)
{
    tick_.ending = ending;
    tick_.message = std::move(message);
    endsAs(ending);
}

void UpdateRunScript::startTick()
{
    tick_.intervalMs.reset();
    tick_.steps.clear();
    tick_.unit = RunTick::Unit::None;
    tick_.unitBytes = {};
    tick_.ending.reset();
    tick_.message.clear();
    tick_.closesLink = false;
    sentBefore_ = progress_.sent;
    stateBefore_ = state_;
}

void UpdateRunScript::lineRefused()
{
    progress_.sent = sentBefore_;
    state_ = stateBefore_;
}

bool UpdateRunScript::canStop() const
{
    return state_ != State::Abort && state_ != State::Close;
}

void UpdateRunScript::forgetPosition()
{
    fileIndex_ = 0;
    imagePos_ = 0;
    showProgress();
}

void UpdateRunScript::endsAs(RunEnding ending)
{
    progress_.ending = ending;
    if (ending == RunEnding::Finished)
        progress_.phase = Phase::Finishing;
}

void UpdateRunScript::abortAtNextTick()
{
    state_ = State::Abort;
    progress_.phase = Phase::Stopping;
}

const RunTick& UpdateRunScript::finalPacket(RunEndingRule::FinalPacket packet)
{
    startTick();
    const bool finish = packet == RunEndingRule::FinalPacket::FinishUpdate;
    send(packets_.buildCommand(finish ? PacketType::FinishUpdate : PacketType::AbortUpdate), state_);
    (finish ? progress_.sent.finishUpdate : progress_.sent.abortUpdate) = true;
    return tick_;
}

void UpdateRunScript::closeAtNextTick()
{
    state_ = State::Close;
    progress_.phase = Phase::Closing;
}

void UpdateRunScript::closed(RunOutcome outcome)
{
    progress_.outcome = outcome;
    progress_.phase = Phase::Ended;
}

void UpdateRunScript::showProgress()
{
    const auto size = static_cast<std::uint64_t>(std::max(files_.updateImage().size(), 0));
    progress_.fileSize = size;
    progress_.percent =
        size == 0 ? 0 : static_cast<int>(std::min<std::uint64_t>(100, imagePos_ * std::uint64_t{100} / size));
}

std::int64_t UpdateRunScript::fileMsLeft(std::uint64_t size) const
{
    if (size < update_file::kHeaderSize)
        return 0;
    const auto blocksLeft = [&](std::uint64_t out) {
        return static_cast<std::int64_t>(LastDataBlockFor(size) - out) * kDataBlockMs;
    };
    switch (state_) {
    case State::Identify1:
    case State::Identify2:
    case State::Identify3:
    case State::CountRound:
    case State::HeaderStart:
    case State::HeaderFirst:
    case State::HeaderSecond:
        return blocksLeft(kFirstDataBlock - 1);
    case State::DataBlock:
        return blocksLeft(blockCounter_);
    case State::DataBlockAgain:
        return blocksLeft(blockCounter_) + kBaseMs;
    default:
        return 0;
    }
}

} // namespace sus
