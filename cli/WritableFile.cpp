// SPDX-License-Identifier: Apache-2.0
#include "cli/WritableFile.h"

#include "core/Utf8Path.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace sus::cli {

std::string lastSystemError()
{
    return errno == 0 ? std::string("the system gave no reason") : std::generic_category().message(errno);
}

std::string whyNotWritable(const std::string& utf8Path)
{
    if (utf8Path.empty())
        return "no file name was given";
    const std::filesystem::path path = pathFromUtf8(utf8Path);
    std::error_code ignored;
    const bool existed = std::filesystem::exists(path, ignored);
    errno = 0;
    if (!std::ofstream(path, std::ios::binary | std::ios::app))
        return lastSystemError();
    if (!existed)
        std::filesystem::remove(path, ignored);
    return {};
}

} // namespace sus::cli
