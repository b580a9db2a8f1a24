// SPDX-License-Identifier: Apache-2.0
#include "receive/StatusJudge.h"

#include "receive/HeardLinePrinter.h"

#include <utility>

namespace sus {

namespace {

// Per character, this line marks at most a break and the zero after it (a wake-up frame's start)
// in a row.
constexpr std::size_t kLongestMarkedRun = 2;
// A DMX frame's characters after its break are the most it carries unmarked in a row.
constexpr std::size_t kLongestUnmarkedRun = kDmxFrameSlots;

} // namespace

StatusJudge::StatusJudge(CharacterListener& listener, LineStatus assumed, Say say)
    : listener_(listener), say_(std::move(say)), status_(assumed), perCharacter_(listener)
{
    if (assumed != LineStatus::PerCharacter)
        structure_.emplace(listener_, assumed == LineStatus::PerUsbPacket);
}

void StatusJudge::onItem(const MarkedItem& item)
{
    marked_ += item.marked() ? 1 : 0;
    if (structure_) {
        structure_->onItem(item);
        return;
    }
    if (!held_.empty() && held_.back().marked() != item.marked())
        release();
    held_.push_back(item);
    if (item.marked() && held_.size() > kLongestMarkedRun) {
        say_("The adapter marked " + std::to_string(held_.size()) +
             " characters in a row, as one that flags a whole USB packet for one error does: from here on "
             "the bytes are checked, the ninth bits not.");
        readByStructure(LineStatus::PerUsbPacket);
    } else if (!item.marked() && held_.size() > kLongestUnmarkedRun) {
        say_("The adapter marked nothing in " + std::to_string(held_.size()) +
             " characters, where this line marks every break and packet start, as one that reports no "
             "parity errors does: from here on the bytes are checked, the ninth bits not.");
        readByStructure(LineStatus::NoParity);
    }
}

void StatusJudge::onEnd()
{
    if (structure_) {
        structure_->onEnd();
        return;
    }
    release();
    perCharacter_.onEnd();
}

ReadCounts StatusJudge::counts() const
{
    ReadCounts counts = perCharacter_.counts();
    if (structure_) {
        counts.characters += structure_->counts().characters;
        counts.breaks += structure_->counts().breaks;
        counts.marked += structure_->counts().marked;
    }
    return counts;
}

void StatusJudge::release()
{
    for (const MarkedItem& item : held_)
        perCharacter_.onItem(item);
    held_.clear();
}

void StatusJudge::readByStructure(LineStatus status)
{
    status_ = status;
    structure_.emplace(listener_, status == LineStatus::PerUsbPacket);
    for (const MarkedItem& item : std::exchange(held_, {}))
        structure_->onItem(item);
}

} // namespace sus
