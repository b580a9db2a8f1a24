#pragma once

#include <string>
#include <string_view>

namespace sus {

// Message texts of the update page, byte for byte as users know them.
inline constexpr std::string_view kCanNotOpenTheFile = "Can not open the File!"; // adding a file; a run
inline constexpr std::string_view kFileCanNotOpen = "File can not open.";        // clicking a queued file

// A file message with what went wrong on the following lines: the message as it always read,
// then the path, then the reason, so the user can tell a missing file from a broken one.
std::string fileFailureText(std::string_view message, const std::string& utf8Path, const std::string& reason);

} // namespace sus
