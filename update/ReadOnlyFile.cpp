// SPDX-License-Identifier: Apache-2.0
#include "update/ReadOnlyFile.h"

namespace sus {

ReadOnlyFile::~ReadOnlyFile()
{
    if (file_)
        std::fclose(file_);
}

std::optional<std::uint64_t> ReadOnlyFile::size()
{
    if (!seekTo(SEEK_END))
        return std::nullopt;
    const std::int64_t end = position();
    if (end < 0 || !seekTo(SEEK_SET))
        return std::nullopt;
    return static_cast<std::uint64_t>(end);
}

std::size_t ReadOnlyFile::read(std::span<std::uint8_t> bytes)
{
    return std::fread(bytes.data(), 1, bytes.size(), file_);
}

} // namespace sus
