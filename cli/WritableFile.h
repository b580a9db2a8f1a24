// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>

namespace sus::cli {

// Why the file at `utf8Path` cannot be written, in the system's words ("Permission denied"); empty
// when it can. Found by opening it as it would be written at the end, before any work whose result
// would then be lost, and without a trace: a file that was not there is not left behind, and one
// that was keeps what it holds until the command writes it.
std::string whyNotWritable(const std::string& utf8Path);

// The system's words for the error of the last call that failed and set errno.
std::string lastSystemError();

} // namespace sus::cli
