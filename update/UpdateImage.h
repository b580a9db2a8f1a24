// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateFileLayout.h"
#include "update/UpdateKey.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace sus {

// The bytes of one update file, held whole, as stored (plain header part, scrambled rest).
// Either empty or at least kHeaderSize bytes long, and never longer than its signed 32-bit size
// can count. Every field is read through here, so no one else repeats the offsets.
// Scrambled fields take the key to descramble with: ImageKey when sending, the file's own derived
// key when showing. Positions at or past the end read as 0 after descrambling, as a data block's
// padding does; an empty (released) image thus reads as all zeros and is never read outside.
class UpdateImage {
public:
    // The largest file an image can record: its size is a signed 32-bit count.
    static constexpr std::size_t kMaximumSize = 0x7FFFFFFF;

    UpdateImage() = default;

    // Takes `bytes` as they were read: none, or the header and at most kMaximumSize in all
    // (std::length_error otherwise).
    explicit UpdateImage(std::vector<std::uint8_t> bytes);

    bool empty() const { return bytes_.empty(); }
    std::int32_t size() const { return static_cast<std::int32_t>(bytes_.size()); }
    std::span<const std::uint8_t> storedBytes() const { return bytes_; }

    // Plain header fields.
    KeyBytes keyBytes() const;
    std::string_view functionText() const; // all 88 bytes, Windows-1252, not trimmed
    std::string_view designerText() const; // all 10 bytes, Windows-1252, not trimmed

    // Scrambled header fields, descrambled with `key`.
    std::array<std::uint8_t, update_file::kHeaderBlockLength> headerBlock(std::uint8_t key) const;
    std::array<std::uint8_t, update_file::kHandshakeTailLength> handshakeTail(std::uint8_t key) const;
    std::uint8_t pauseFlag(std::uint8_t key) const;
    std::int8_t pauseLength(std::uint8_t key) const; // a signed number: 0x80..0xFF are negative
    // Whether the file asks for the long pause between the two sendings of its header block.
    bool wantsLongHeaderPause(std::uint8_t key) const;
    std::uint8_t newVersion(std::uint8_t key) const;
    std::uint8_t newRevision(std::uint8_t key) const;
    std::array<std::uint8_t, update_file::kUpdatableVersionsCount> updatableVersions(std::uint8_t key) const;

    // Fills `out` with the bytes from `offset` on, descrambled with `key`; 0 past the end.
    // Data blocks are read this way (offset kImageDataOffset and on).
    void copyDescrambled(std::size_t offset, std::span<std::uint8_t> out, std::uint8_t key) const;

    // The value of the byte at `offset` descrambled with `key`, 0 past the end.
    std::uint8_t descrambledAt(std::size_t offset, std::uint8_t key) const;

private:
    std::string_view plainText(std::size_t offset, std::size_t length) const;

    std::vector<std::uint8_t> bytes_;
};

} // namespace sus
