#include "update/ReadOnlyFile.h"

namespace sus {

ReadOnlyFile::~ReadOnlyFile()
{
    if (file_)
        std::fclose(file_);
}

std::size_t ReadOnlyFile::read(std::span<std::uint8_t> bytes)
{
    return std::fread(bytes.data(), 1, bytes.size(), file_);
}

} // namespace sus
