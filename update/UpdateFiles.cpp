#include "update/UpdateFiles.h"

#include "update/UpdateFileReader.h"

namespace sus {

PrepareResult UpdateFiles::prepareUpdateFile()
{
    UpdateImageLoad load = loadUpdateImage(currentFilePath_);
    if (!load) {
        failureReason_ = std::move(load.failureReason);
        return PrepareResult::CannotOpen;
    }
    failureReason_.clear();
    updateImage_ = std::move(*load.image);

    const KeyBytes keyBytes = updateImage_.keyBytes();
    if (typedPassword_ != deriveExpectedPassword(keyBytes))
        return PrepareResult::PasswordWrong;
    imageKey_ = deriveImageKey(keyBytes);
    return PrepareResult::Ready;
}

} // namespace sus
