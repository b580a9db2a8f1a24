#include "update/ReadOnlyFile.h"

#include <sys/types.h>

namespace sus {

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "rb")) {}

std::optional<std::uint64_t> ReadOnlyFile::size()
{
    // off_t, not long: the offset type that reaches past 2 GiB.
    if (::fseeko(file_, 0, SEEK_END) != 0)
        return std::nullopt;
    const off_t end = ::ftello(file_);
    if (end < 0 || ::fseeko(file_, 0, SEEK_SET) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(end);
}

} // namespace sus
