// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>

namespace sus {

// Byte layout of an update file (*.MVT). The first 112 bytes are stored plain; every byte from
// kHeaderBlockOffset to the end of the file is stored XORed with the file's one-byte key.
// There is no magic, length field or checksum: a file is an update file when it holds the header.
namespace update_file {

inline constexpr std::size_t kHeaderSize = 144;

// Plain part.
inline constexpr std::size_t kFunctionTextOffset = 0;
inline constexpr std::size_t kFunctionTextLength = 88;
inline constexpr std::size_t kKeyBytesOffset = 96;
inline constexpr std::size_t kKeyBytesLength = 6;
inline constexpr std::size_t kDesignerTextOffset = 102;
inline constexpr std::size_t kDesignerTextLength = 10;

// Scrambled part: the header block sent to the fixture, and the fields the system reads inside it.
inline constexpr std::size_t kHeaderBlockOffset = 112;
inline constexpr std::size_t kHeaderBlockLength = 32;
inline constexpr std::size_t kHandshakeTailOffset = 128;
inline constexpr std::size_t kHandshakeTailLength = 2;
inline constexpr std::size_t kPauseFlagOffset = 130;
inline constexpr std::size_t kPauseLengthOffset = 131;
inline constexpr std::size_t kNewVersionOffset = 132;
inline constexpr std::size_t kNewRevisionOffset = 133;
inline constexpr std::size_t kUpdatableVersionsOffset = 135;
inline constexpr std::size_t kUpdatableVersionsCount = 8;

// The firmware image follows the header.
inline constexpr std::size_t kImageDataOffset = kHeaderSize;

// Values of the fields.
inline constexpr std::uint8_t kLongPauseFlag = 1;          // PauseFlag that asks for the long pause
inline constexpr std::int8_t kLongPauseMinimumLength = 11; // PauseLength, signed, from which it applies
inline constexpr std::uint8_t kEmptyVersionSlot = 0x00;
inline constexpr std::uint8_t kEveryVersion = 0xFF;

static_assert(kFunctionTextOffset + kFunctionTextLength <= kKeyBytesOffset);
static_assert(kKeyBytesOffset + kKeyBytesLength == kDesignerTextOffset);
static_assert(kDesignerTextOffset + kDesignerTextLength == kHeaderBlockOffset);
static_assert(kHeaderBlockOffset + kHeaderBlockLength == kHeaderSize);
static_assert(kUpdatableVersionsOffset + kUpdatableVersionsCount < kHeaderSize);

} // namespace update_file
} // namespace sus
