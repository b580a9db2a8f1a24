// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateKey.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace sus::test {

// Writes synthetic update files. Every value is given as the system reads it (texts as stored,
// scrambled fields and image bytes descrambled); bytes() scrambles with the key derived from the
// chosen key bytes. Unset fields are zero; texts shorter than their field are padded with zeros.
class UpdateFileBuilder {
public:
    UpdateFileBuilder& keyBytes(const KeyBytes& k);
    UpdateFileBuilder& functionText(std::string_view windows1252);
    UpdateFileBuilder& designerText(std::string_view windows1252);
    UpdateFileBuilder& newVersion(std::uint8_t version, std::uint8_t revision);
    UpdateFileBuilder& updatableVersions(std::initializer_list<std::uint8_t> versions); // up to 8
    UpdateFileBuilder& pause(std::uint8_t flag, std::uint8_t length);
    UpdateFileBuilder& handshakeTail(std::uint8_t first, std::uint8_t second);
    // Any byte of the header block (offsets 112 to 143), descrambled.
    UpdateFileBuilder& headerByte(std::size_t offset, std::uint8_t value);
    UpdateFileBuilder& imageData(std::vector<std::uint8_t> descrambled);

    std::uint8_t key() const;
    std::string password() const;

    // The whole file as stored.
    std::vector<std::uint8_t> bytes() const;
    // Writes bytes() to `path` and returns it.
    std::filesystem::path writeTo(const std::filesystem::path& path) const;

private:
    KeyBytes chosenKeyBytes() const;
    UpdateFileBuilder& text(std::size_t offset, std::size_t length, std::string_view text);

    std::vector<std::uint8_t> header_ = std::vector<std::uint8_t>(update_file::kHeaderSize, 0);
    std::vector<std::uint8_t> imageData_;
};

// Writes `bytes` to `path` as they are (for files that are not well formed).
void writeFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// The UTF-8 text of a path, as the windows hand it to the core.
std::string utf8Of(const std::filesystem::path& path);

} // namespace sus::test
