// SPDX-License-Identifier: Apache-2.0
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

bool ReadOnlyFile::seekTo(int origin)
{
    return ::_fseeki64(file_, 0, origin) == 0;
}

std::int64_t ReadOnlyFile::position()
{
    return ::_ftelli64(file_);
}

} // namespace sus
