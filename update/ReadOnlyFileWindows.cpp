#include "update/ReadOnlyFile.h"

#include <share.h>
#include <stdio.h>

namespace sus {

// The wide name reaches the system as it is, whatever the ANSI code page; _SH_DENYRW shares the
// file with no other opener, and fails while another holds it.
ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path)
    : file_(::_wfsopen(path.c_str(), L"rb", _SH_DENYRW))
{
}

std::optional<std::uint64_t> ReadOnlyFile::size()
{
    // The 64-bit seek: long, which fseek takes, is 32 bits here.
    if (::_fseeki64(file_, 0, SEEK_END) != 0)
        return std::nullopt;
    const __int64 end = ::_ftelli64(file_);
    if (end < 0 || ::_fseeki64(file_, 0, SEEK_SET) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(end);
}

} // namespace sus
