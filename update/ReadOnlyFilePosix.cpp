// SPDX-License-Identifier: Apache-2.0
#include "update/ReadOnlyFile.h"

#include <sys/types.h>

namespace sus {

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "rb")) {}

// off_t, not long: the offset type that reaches past 2 GiB.
bool ReadOnlyFile::seekTo(int origin)
{
    return ::fseeko(file_, 0, origin) == 0;
}

std::int64_t ReadOnlyFile::position()
{
    return ::ftello(file_);
}

} // namespace sus
