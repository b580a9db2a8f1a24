// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <string_view>

namespace sus {

// Message texts of the update page, byte for byte as users know them.
inline constexpr std::string_view kCanNotOpenTheFile = "Can not open the File!"; // adding a file; a run
inline constexpr std::string_view kFileCanNotOpen = "File can not open.";        // clicking a queued file

// The update run's messages.
inline constexpr std::string_view kEnterThePassword = "Enter the Password Please!";
inline constexpr std::string_view kPasswordWrong = "Password Wrong!";
inline constexpr std::string_view kUpdateFinished =
    "Software Update is finish! \n\n (The Fixture will be Reset!)";
inline constexpr std::string_view kControllerNotOpened =
    "The controller could not be opened, so the update did not start.\n"
    "Check that it is plugged in, then press Start again.";
inline constexpr std::string_view kControllerLost =
    "The controller stopped taking data, so the update was stopped before it was complete.\n"
    "Check that it is plugged in, then run the update again.";

// A file message with what went wrong on the following lines: the message as it always read,
// then the path, then the reason, so the user can tell a missing file from a broken one.
std::string fileFailureText(std::string_view message, const std::string& utf8Path, const std::string& reason);

} // namespace sus
