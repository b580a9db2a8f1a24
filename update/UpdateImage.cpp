// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateImage.h"

#include <algorithm>
#include <stdexcept>

namespace sus {

using namespace update_file;

UpdateImage::UpdateImage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes))
{
    // Every header accessor relies on this; a shorter image would make them read past the bytes.
    if (!bytes_.empty() && (bytes_.size() < kHeaderSize || bytes_.size() > kMaximumSize))
        throw std::length_error("an update image holds the whole header and at most 2^31-1 bytes");
}

KeyBytes UpdateImage::keyBytes() const
{
    KeyBytes k{};
    if (!empty())
        std::copy_n(bytes_.begin() + kKeyBytesOffset, k.size(), k.begin());
    return k;
}

std::string_view UpdateImage::plainText(std::size_t offset, std::size_t length) const
{
    if (empty())
        return {};
    return {reinterpret_cast<const char*>(bytes_.data() + offset), length};
}

std::string_view UpdateImage::functionText() const
{
    return plainText(kFunctionTextOffset, kFunctionTextLength);
}

std::string_view UpdateImage::designerText() const
{
    return plainText(kDesignerTextOffset, kDesignerTextLength);
}

std::uint8_t UpdateImage::descrambledAt(std::size_t offset, std::uint8_t key) const
{
    return offset < bytes_.size() ? descramble(bytes_[offset], key) : 0;
}

void UpdateImage::copyDescrambled(std::size_t offset, std::span<std::uint8_t> out, std::uint8_t key) const
{
    // The start is clamped before any pointer is formed: even an empty range must not point past
    // the bytes (or off an empty image's null data).
    const std::span<const std::uint8_t> stored = storedBytes();
    const std::size_t start = std::min(offset, stored.size());
    const auto available = stored.subspan(start, std::min(out.size(), stored.size() - start));
    const auto end = std::transform(available.begin(), available.end(), out.begin(),
                                    [key](std::uint8_t byte) { return descramble(byte, key); });
    std::fill(end, out.end(), std::uint8_t{0});
}

std::array<std::uint8_t, kHeaderBlockLength> UpdateImage::headerBlock(std::uint8_t key) const
{
    std::array<std::uint8_t, kHeaderBlockLength> block{};
    copyDescrambled(kHeaderBlockOffset, block, key);
    return block;
}

std::array<std::uint8_t, kHandshakeTailLength> UpdateImage::handshakeTail(std::uint8_t key) const
{
    std::array<std::uint8_t, kHandshakeTailLength> tail{};
    copyDescrambled(kHandshakeTailOffset, tail, key);
    return tail;
}

std::uint8_t UpdateImage::pauseFlag(std::uint8_t key) const
{
    return descrambledAt(kPauseFlagOffset, key);
}

std::int8_t UpdateImage::pauseLength(std::uint8_t key) const
{
    return static_cast<std::int8_t>(descrambledAt(kPauseLengthOffset, key));
}

bool UpdateImage::wantsLongHeaderPause(std::uint8_t key) const
{
    return pauseFlag(key) == kLongPauseFlag && pauseLength(key) >= kLongPauseMinimumLength;
}

std::uint8_t UpdateImage::newVersion(std::uint8_t key) const
{
    return descrambledAt(kNewVersionOffset, key);
}

std::uint8_t UpdateImage::newRevision(std::uint8_t key) const
{
    return descrambledAt(kNewRevisionOffset, key);
}

std::array<std::uint8_t, kUpdatableVersionsCount> UpdateImage::updatableVersions(std::uint8_t key) const
{
    std::array<std::uint8_t, kUpdatableVersionsCount> versions{};
    copyDescrambled(kUpdatableVersionsOffset, versions, key);
    return versions;
}

} // namespace sus
