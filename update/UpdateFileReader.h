// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateImage.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sus {

// What reading an update file gave: the image, or why there is none.
struct UpdateImageLoad {
    std::optional<UpdateImage> image;
    std::string failureReason; // one English sentence for the user; empty on success

    explicit operator bool() const { return image.has_value(); }
};

// The largest file a load takes, and how its refusal names that limit:
// "The file holds <size> bytes; at most <bytes> <what>."
struct FileSizeLimit {
    std::uint64_t bytes = UpdateImage::kMaximumSize;
    std::string_view what = "can be held";
};

// Reads the update file at `path` whole, opened as ReadOnlyFile opens it (shared with no other
// opener where the platform lets the opener choose). Fails, with a reason, when it is not a readable regular
// file, when it is shorter than the header (not an update file), when it is larger than `limit`
// (told by its size before a byte of it is read or held), or when it cannot be read whole.
UpdateImageLoad LoadUpdateImage(const std::filesystem::path& path, const FileSizeLimit& limit = {});
UpdateImageLoad LoadUpdateImage(const std::string& utf8Path, const FileSizeLimit& limit = {});

// Reads the update file at `path` as an update run takes it: whole, and refused by its size when its
// blocks would need more packet types than there are.
UpdateImageLoad LoadSendableUpdateImage(const std::string& utf8Path);

// Reads only the header of the update file at `path`, after the same checks as LoadUpdateImage
// with the default limit: all that showing a file needs, so that showing takes the same short time
// for a file of any size. The image holds the kHeaderSize header bytes alone.
UpdateImageLoad loadUpdateHeader(const std::string& utf8Path);

} // namespace sus
