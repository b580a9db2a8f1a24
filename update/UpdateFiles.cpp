#include "update/UpdateFiles.h"

#include "update/UpdateFileReader.h"
#include "update/UpdatePacket.h"

namespace sus {

PrepareResult UpdateFiles::PrepareUpdateFile()
{
    // Block numbers are 16-bit packet types: a file that would need more is refused by its size,
    // before any of it is read, held or sent.
    UpdateImageLoad load =
        LoadUpdateImage(currentFilePath_, {kMaximumSendableFileSize, "can be sent in an update"});
    if (!load) {
        failureReason_ = std::move(load.failureReason);
        return PrepareResult::CannotOpen;
    }
    failureReason_.clear();
    updateImage_ = std::move(*load.image);

    const KeyBytes keyBytes = updateImage_.keyBytes();
    if (typedPassword_ != DeriveExpectedPassword(keyBytes))
        return PrepareResult::PasswordWrong;
    imageKey_ = DeriveImageKey(keyBytes);
    return PrepareResult::Ready;
}

} // namespace sus
