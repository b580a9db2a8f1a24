// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateImage.h"

#include <cstdint>
#include <string>

namespace sus {

// What PrepareUpdateFile found; the values are the ones the update run acts on.
enum class PrepareResult : std::uint8_t {
    Ready = 0,         // loaded into UpdateImage, password matched, ImageKey set: send it
    PasswordWrong = 1, // loaded into UpdateImage, the typed password differs; ImageKey unchanged
    CannotOpen = 2,    // not opened, read or held; UpdateImage and ImageKey unchanged
};

// The program-wide state of the file being sent, owned by the main window: the path and password
// the run hands over, the image it sends from and that image's key. Only PrepareUpdateFile fills
// the image; showing a file in the panel never touches it, so a run's image stays put.
class UpdateFiles {
public:
    const std::string& currentFilePath() const { return currentFilePath_; }
    void setCurrentFilePath(std::string utf8Path) { currentFilePath_ = std::move(utf8Path); }

    const std::string& typedPassword() const { return typedPassword_; }
    void setTypedPassword(std::string password) { typedPassword_ = std::move(password); }

    const UpdateImage& updateImage() const { return updateImage_; }
    std::uint8_t imageKey() const { return imageKey_; }

    // Loads CurrentFilePath into UpdateImage and checks TypedPassword against the file's password,
    // exactly: same length, same characters, letter case included. A file too large for an update
    // (kMaximumSendableFileSize) cannot be opened for sending; it is refused before it is read.
    PrepareResult PrepareUpdateFile();

    // Why the last PrepareUpdateFile gave CannotOpen, as one sentence for the user.
    const std::string& failureReason() const { return failureReason_; }

    // Frees the image when the main window closes; ImageKey stays.
    void releaseUpdateImage() { updateImage_ = UpdateImage(); }

private:
    std::string currentFilePath_;
    std::string typedPassword_;
    UpdateImage updateImage_;
    std::uint8_t imageKey_ = 0;
    std::string failureReason_;
};

} // namespace sus
