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
// open does not open; elsewhere it opens as any file does. One source file per platform opens it
// and takes its size.
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
    std::FILE* file_ = nullptr;
};

} // namespace sus
