#include "sim/UpdateReceiver.h"

#include "update/UpdateFileLayout.h"
#include "update/UpdateImage.h"
#include "update/UpdatePacket.h"

#include <algorithm>

namespace sus {

std::uint8_t ReceivedFile::newVersion() const
{
    if (headerCopies.empty())
        return 0;
    return headerCopies.front()[update_file::kNewVersionOffset - update_file::kHeaderBlockOffset];
}

bool ReceivedFile::matches(const UpdateImage& file, std::uint8_t key) const
{
    if (file.empty())
        return false;
    const std::size_t dataLength = static_cast<std::size_t>(file.size()) - update_file::kHeaderSize;
    if (image.size() < dataLength)
        return false;
    std::vector<std::uint8_t> expected(image.size());
    file.copyDescrambled(update_file::kImageDataOffset, expected, key);
    return image == expected;
}

UpdateReception UpdateReception::from(const FixtureLog& log)
{
    UpdateReception reception;
    reception.wakeUpFrames = log.wakeUpFrames().size();
    ReceivedFile* current = nullptr;
    for (const WirePacket& packet : log.packets) {
        if (!packet.complete || !packet.checksumOk) {
            ++reception.badPackets;
            continue;
        }
        const auto payload = packet.payload();
        if (packet.type >= kFirstDataBlock) {
            if (current == nullptr) {
                ++reception.outOfPlace;
                continue;
            }
            std::vector<std::uint16_t>& types = current->blockTypes;
            const bool secondCopy = types.size() % 2 == 1;
            const std::uint16_t expectedType =
                secondCopy ? types.back() : static_cast<std::uint16_t>(kFirstDataBlock + types.size() / 2);
            current->blocksInOrder = current->blocksInOrder && packet.type == expectedType;
            if (!secondCopy)
                current->image.insert(current->image.end(), payload.begin(), payload.end());
            types.push_back(packet.type);
            continue;
        }
        switch (static_cast<PacketType>(packet.type)) {
        case PacketType::StartOfFile:
            reception.files.emplace_back();
            current = &reception.files.back();
            break;
        case PacketType::Identify1:
        case PacketType::Identify2:
        case PacketType::Identify3:
            if (current != nullptr)
                ++current->identifyPackets;
            else
                ++reception.outOfPlace;
            break;
        case PacketType::HeaderPacket:
            if (current != nullptr) {
                std::array<std::uint8_t, 32> header{};
                std::copy_n(payload.begin(), header.size(), header.begin());
                current->headerCopies.push_back(header);
            } else {
                ++reception.outOfPlace;
            }
            break;
        case PacketType::EndOfFile:
            if (current != nullptr) {
                current->ended = true;
                current->blocksInOrder = current->blocksInOrder && current->blockTypes.size() % 2 == 0;
            } else {
                ++reception.outOfPlace;
            }
            current = nullptr;
            break;
        case PacketType::FinishUpdate:
            reception.finished = true;
            break;
        case PacketType::AbortUpdate:
            reception.aborted = true;
            current = nullptr;
            break;
        }
    }
    return reception;
}

} // namespace sus
