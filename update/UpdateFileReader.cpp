// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateFileReader.h"

#include "core/Utf8Path.h"
#include "update/ReadOnlyFile.h"
#include "update/UpdatePacket.h"

#include <new>
#include <system_error>

namespace sus {
namespace {

UpdateImageLoad failure(std::string reason)
{
    return {std::nullopt, std::move(reason)};
}

// Reads `count` bytes from the start of `path`, once the file has passed every check that needs
// none of its bytes: kind, access, and a size from the header up to `limit`. `wholeFile` reads all
// of it (`count` is then ignored).
UpdateImageLoad readUpdateFile(const std::filesystem::path& path, const FileSizeLimit& limit, bool wholeFile)
{
    // Asked before opening: a folder opens for reading on some systems, and a pipe or device
    // would block the reading thread instead of failing.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    // Neither there nor known to be missing: a folder on the way that may not be searched, say.
    // What the system said is the reason.
    if (status.type() == std::filesystem::file_type::none && error)
        return failure("The file cannot be reached: " + error.message() + ".");
    if (!std::filesystem::exists(status))
        return failure("The file does not exist.");
    if (std::filesystem::is_directory(status))
        return failure("This is a folder, not a file.");
    if (!std::filesystem::is_regular_file(status))
        return failure("This is not a regular file.");

    ReadOnlyFile file(path);
    if (!file.isOpen())
        return failure("The file cannot be opened for reading (no permission, or in use).");

    const std::optional<std::uint64_t> size = file.size();
    if (!size)
        return failure("The size of the file cannot be read.");
    if (*size < update_file::kHeaderSize)
        return failure("The file holds " + std::to_string(*size) + " bytes; an update file holds at least " +
                       std::to_string(update_file::kHeaderSize) + " (its header).");
    if (*size > limit.bytes)
        return failure("The file holds " + std::to_string(*size) + " bytes; at most " +
                       std::to_string(limit.bytes) + " " + std::string(limit.what) + ".");

    // Below the limit, so it fits a size_t on every platform.
    const std::size_t count = wholeFile ? static_cast<std::size_t>(*size) : update_file::kHeaderSize;
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(count);
    } catch (const std::bad_alloc&) {
        return failure("There is not enough memory to hold the file (" + std::to_string(*size) + " bytes).");
    }

    if (file.read(bytes) != count)
        return failure("The file could not be read whole.");
    return {UpdateImage(std::move(bytes)), {}};
}

} // namespace

UpdateImageLoad LoadUpdateImage(const std::string& utf8Path, const FileSizeLimit& limit)
{
    return LoadUpdateImage(pathFromUtf8(utf8Path), limit);
}

UpdateImageLoad LoadUpdateImage(const std::filesystem::path& path, const FileSizeLimit& limit)
{
    return readUpdateFile(path, limit, true);
}

UpdateImageLoad LoadSendableUpdateImage(const std::string& utf8Path)
{
    // Block numbers are 16-bit packet types: a file that would need more is refused by its size,
    // before any of it is read, held or sent.
    return LoadUpdateImage(utf8Path, {kMaximumSendableFileSize, "can be sent in an update"});
}

UpdateImageLoad loadUpdateHeader(const std::string& utf8Path)
{
    return readUpdateFile(pathFromUtf8(utf8Path), {}, false);
}

} // namespace sus
