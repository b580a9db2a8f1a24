// SPDX-License-Identifier: Apache-2.0
#include "tests/support/UpdateFileBuilder.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace sus::test {

using namespace update_file;

UpdateFileBuilder& UpdateFileBuilder::keyBytes(const KeyBytes& k)
{
    std::copy(k.begin(), k.end(), header_.begin() + kKeyBytesOffset);
    return *this;
}

UpdateFileBuilder& UpdateFileBuilder::text(std::size_t offset, std::size_t length, std::string_view text)
{
    if (text.size() > length)
        throw std::invalid_argument("text longer than its field");
    std::fill_n(header_.begin() + static_cast<std::ptrdiff_t>(offset), length, std::uint8_t{0});
    std::copy(text.begin(), text.end(), header_.begin() + static_cast<std::ptrdiff_t>(offset));
    return *this;
}

UpdateFileBuilder& UpdateFileBuilder::functionText(std::string_view windows1252)
{
    return text(kFunctionTextOffset, kFunctionTextLength, windows1252);
}

UpdateFileBuilder& UpdateFileBuilder::designerText(std::string_view windows1252)
{
    return text(kDesignerTextOffset, kDesignerTextLength, windows1252);
}

UpdateFileBuilder& UpdateFileBuilder::headerByte(std::size_t offset, std::uint8_t value)
{
    if (offset < kHeaderBlockOffset || offset >= kHeaderSize)
        throw std::out_of_range("not a header block offset");
    header_[offset] = value;
    return *this;
}

UpdateFileBuilder& UpdateFileBuilder::newVersion(std::uint8_t version, std::uint8_t revision)
{
    return headerByte(kNewVersionOffset, version).headerByte(kNewRevisionOffset, revision);
}

UpdateFileBuilder& UpdateFileBuilder::updatableVersions(std::initializer_list<std::uint8_t> versions)
{
    if (versions.size() > kUpdatableVersionsCount)
        throw std::invalid_argument("more than eight updatable versions");
    std::size_t slot = 0;
    for (std::uint8_t v : versions)
        headerByte(kUpdatableVersionsOffset + slot++, v);
    for (; slot < kUpdatableVersionsCount; ++slot)
        headerByte(kUpdatableVersionsOffset + slot, kEmptyVersionSlot);
    return *this;
}

UpdateFileBuilder& UpdateFileBuilder::pause(std::uint8_t flag, std::uint8_t length)
{
    return headerByte(kPauseFlagOffset, flag).headerByte(kPauseLengthOffset, length);
}

UpdateFileBuilder& UpdateFileBuilder::handshakeTail(std::uint8_t first, std::uint8_t second)
{
    return headerByte(kHandshakeTailOffset, first).headerByte(kHandshakeTailOffset + 1, second);
}

UpdateFileBuilder& UpdateFileBuilder::imageData(std::vector<std::uint8_t> descrambled)
{
    imageData_ = std::move(descrambled);
    return *this;
}

KeyBytes UpdateFileBuilder::chosenKeyBytes() const
{
    KeyBytes k{};
    std::copy_n(header_.begin() + kKeyBytesOffset, k.size(), k.begin());
    return k;
}

std::uint8_t UpdateFileBuilder::key() const
{
    return DeriveImageKey(chosenKeyBytes());
}

std::string UpdateFileBuilder::password() const
{
    return DeriveExpectedPassword(chosenKeyBytes());
}

std::vector<std::uint8_t> UpdateFileBuilder::bytes() const
{
    std::vector<std::uint8_t> file = header_;
    file.insert(file.end(), imageData_.begin(), imageData_.end());
    const std::uint8_t k = key();
    for (std::size_t i = kHeaderBlockOffset; i < file.size(); ++i)
        file[i] = descramble(file[i], k); // XOR both ways
    return file;
}

std::filesystem::path UpdateFileBuilder::writeTo(const std::filesystem::path& path) const
{
    writeFileBytes(path, bytes());
    return path;
}

void writeFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + utf8Of(path) + ": " +
                                 std::generic_category().message(errno));
}

std::string utf8Of(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace sus::test
