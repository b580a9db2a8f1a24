// SPDX-License-Identifier: Apache-2.0
#include "receive/ReceiverTable.h"

namespace sus::heard {

std::optional<std::size_t> payloadSize(std::uint16_t type)
{
    if (type <= kLastCommandType)
        return kCommandPayloadSize;
    if (type >= kFirstDataBlockType)
        return kDataBlockPayloadSize;
    return std::nullopt;
}

const char* packetTypeName(std::uint16_t type)
{
    switch (type) {
    case kStartOfFile:
        return "StartOfFile";
    case kIdentify1:
        return "Identify1";
    case kIdentify2:
        return "Identify2";
    case kIdentify3:
        return "Identify3";
    case kHeaderPacket:
        return "HeaderPacket";
    case kEndOfFile:
        return "EndOfFile";
    case kFinishUpdate:
        return "FinishUpdate";
    case kAbortUpdate:
        return "AbortUpdate";
    default:
        break;
    }
    return type >= kFirstDataBlockType ? "data block" : "unknown type";
}

} // namespace sus::heard
