// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>

namespace sus {

// An update file opened for reading only. Where the opener chooses how a file is shared (Windows),
// no other opener may read or write it while it is open, and a file that another program holds
// open does not open; elsewhere it opens as any file does.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::filesystem::path& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }

    // The size, as the position that seeking to the end reaches; the next read starts at the start
    // again. Nothing when either seek fails.
    std::optional<std::uint64_t> size();

    // Reads into `bytes` from where the last read ended; how many bytes arrived.
    std::size_t read(std::span<std::uint8_t> bytes);

private:
    // The platform's 64-bit seek (to `origin`, offset 0) and tell: fseek and ftell take a long,
    // which is 32 bits on Windows. One source file per platform holds them and the opening.
    bool seekTo(int origin);
    std::int64_t position();

    std::FILE* file_ = nullptr;
};

} // namespace sus
