// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace sus::cli {

// What mvt's exit status tells a script. An empty password shares 2 with argument errors: both are
// input the run cannot start with.
namespace exit_code {
inline constexpr int kSuccess = 0;
inline constexpr int kFailure =
    1; // info: the file cannot be shown; a capture could not be saved; listen: not as expected
inline constexpr int kUsage = 2;         // arguments that cannot be used; the message says which
inline constexpr int kEmptyPassword = 2; // send: "Enter the Password Please!"
inline constexpr int kPasswordWrong = 3; // send, check: "Password Wrong!"
inline constexpr int kFileRefused = 4;   // send, check: a file cannot be opened, read or sent
inline constexpr int kNoController = 5;  // no controller, or the link failed
inline constexpr int kInterrupted = 130; // send: stopped by Ctrl+C (AbortUpdate went out)
} // namespace exit_code

} // namespace sus::cli
