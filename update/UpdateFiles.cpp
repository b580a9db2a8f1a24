// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateFiles.h"

#include "update/UpdateFileReader.h"

namespace sus {

PrepareResult UpdateFiles::PrepareUpdateFile()
{
    UpdateImageLoad load = LoadSendableUpdateImage(currentFilePath_);
    if (!load) {
        failureReason_ = std::move(load.failureReason);
        return PrepareResult::CannotOpen;
    }
    failureReason_.clear();
    updateImage_ = std::move(*load.image);

    const KeyBytes keyBytes = updateImage_.keyBytes();
    if (!passwordMatches(keyBytes, typedPassword_))
        return PrepareResult::PasswordWrong;
    imageKey_ = DeriveImageKey(keyBytes);
    return PrepareResult::Ready;
}

} // namespace sus
