// SPDX-License-Identifier: Apache-2.0
#include "receive/UpdateReceiver.h"

#include "receive/ReceiverTable.h"
#include "update/UpdateImage.h"

#include <algorithm>
#include <utility>

namespace sus {

namespace {

// Header copies kept per file: a run sends two; more only count.
constexpr std::size_t kHeaderCopiesKept = 4;
// Block arrivals listed per file: every block twice.
constexpr std::size_t kBlockTypesKept = 2 * heard::kMaxDataBlocks;

std::uint8_t headerByte(const ReceivedFile& file, std::size_t at)
{
    return file.headerCopies.empty() ? 0 : file.headerCopies.front()[at];
}

} // namespace

std::uint8_t ReceivedFile::newVersion() const
{
    return headerByte(*this, heard::kVersionInHeader);
}

std::uint8_t ReceivedFile::newRevision() const
{
    return headerByte(*this, heard::kRevisionInHeader);
}

bool ReceivedFile::arrivedWhole() const
{
    return ended && blocksInOrder && copiesAgree && !headerCopies.empty() && damagedPackets == 0;
}

bool ReceivedFile::matches(const UpdateImage& file, std::uint8_t key) const
{
    if (file.empty())
        return false;
    const std::size_t dataLength = static_cast<std::size_t>(file.size()) - heard::kFileHeaderSize;
    if (image.size() < dataLength)
        return false;
    std::vector<std::uint8_t> expected(image.size());
    file.copyDescrambled(heard::kFileHeaderSize, expected, key);
    return image == expected;
}

void UpdateReceiver::onFrame(const WireFrame& frame)
{
    if (frame.isWakeUp())
        ++reception_.wakeUpFrames;
}

void UpdateReceiver::onPacket(const WirePacket& packet)
{
    UpdateReception& r = reception_;
    if (!packet.complete || !packet.checksumOk) {
        ++r.badPackets;
        if (fileOpen_)
            ++r.files.back().damagedPackets;
        return;
    }
    if (packet.type >= heard::kFirstDataBlockType) {
        onDataBlock(packet);
        return;
    }
    if (packet.type == heard::kStartOfFile) {
        closeFile();
        r.files.emplace_back();
        ++r.filesStarted;
        fileOpen_ = true;
        return;
    }
    if (packet.type == heard::kFinishUpdate) {
        r.finished = true;
        return;
    }
    if (packet.type == heard::kAbortUpdate) {
        r.aborted = true;
        closeFile();
        return;
    }
    if (!fileOpen_) {
        ++r.outOfPlace;
        return;
    }
    ReceivedFile& file = r.files.back();
    switch (packet.type) {
    case heard::kIdentify1:
    case heard::kIdentify2:
    case heard::kIdentify3:
        ++file.identifyPackets;
        break;
    case heard::kHeaderPacket:
        if (++file.headerPackets <= kHeaderCopiesKept) {
            std::array<std::uint8_t, heard::kCommandPayloadSize> header{};
            const auto payload = packet.payload();
            std::copy_n(payload.begin(), header.size(), header.begin());
            file.headerCopies.push_back(header);
        }
        break;
    case heard::kEndOfFile:
        file.ended = true;
        file.blocksInOrder = file.blocksInOrder && file.blockTypes.size() % 2 == 0;
        closeFile();
        break;
    default:
        break;
    }
}

void UpdateReceiver::onDataBlock(const WirePacket& packet)
{
    if (!fileOpen_) {
        ++reception_.outOfPlace;
        return;
    }
    ReceivedFile& file = reception_.files.back();
    std::vector<std::uint16_t>& types = file.blockTypes;
    if (types.size() >= kBlockTypesKept) {
        // More blocks than a file can have: nothing in order any more, and nothing more kept.
        file.blocksInOrder = false;
        return;
    }
    const bool secondCopy = types.size() % 2 == 1;
    const std::uint16_t expectedType =
        secondCopy ? types.back() : static_cast<std::uint16_t>(heard::kFirstDataBlockType + types.size() / 2);
    file.blocksInOrder = file.blocksInOrder && packet.type == expectedType;
    const auto payload = packet.payload();
    if (secondCopy) {
        const auto firstCopy = file.image.end() - static_cast<std::ptrdiff_t>(payload.size());
        file.copiesAgree = file.copiesAgree && std::equal(payload.begin(), payload.end(), firstCopy);
    } else {
        file.image.insert(file.image.end(), payload.begin(), payload.end());
        file.imageSize += payload.size();
    }
    types.push_back(packet.type);
}

void UpdateReceiver::closeFile()
{
    if (!std::exchange(fileOpen_, false))
        return;
    if (!fileDone_)
        return;
    fileDone_(reception_.files.back(), reception_.filesStarted - 1);
    reception_.files.pop_back();
}

UpdateReception UpdateReception::from(const FixtureLog& log)
{
    UpdateReceiver receiver;
    for (const FixtureLog::Item& item : log.items) {
        if (item.kind == FixtureLog::Kind::Frame)
            receiver.onFrame(log.frames[item.index]);
        else
            receiver.onPacket(log.packets[item.index]);
    }
    receiver.finish();
    return receiver.reception();
}

} // namespace sus
