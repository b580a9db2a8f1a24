#pragma once

#include "update/UpdateImage.h"

#include <filesystem>
#include <optional>
#include <string>

namespace sus {

// What reading an update file gave: the image, or why there is none.
struct UpdateImageLoad {
    std::optional<UpdateImage> image;
    std::string failureReason; // one English sentence for the user; empty on success

    explicit operator bool() const { return image.has_value(); }
};

// A path as the windows and the queue hold it (UTF-8), for the file system on every platform.
std::filesystem::path pathFromUtf8(const std::string& utf8Path);

// Reads the update file at `path` whole. Fails, with a reason, when it is not a readable regular
// file, when it is shorter than the header (not an update file), when it is larger than an image
// can record or than memory can hold, or when it cannot be read whole.
UpdateImageLoad loadUpdateImage(const std::filesystem::path& path);
UpdateImageLoad loadUpdateImage(const std::string& utf8Path);

} // namespace sus
