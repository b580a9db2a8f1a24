// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/RunProgress.h"

#include <cstddef>
#include <functional>
#include <string>

namespace sus::cli {

// What `send` says of a run that did not finish, from where the run stood as it ended (the
// sequencer's last progress): what ended it, the file it cut and how much of that file went out
// (or the wake-up frames, or the file it refused), the files before it sent whole, whether
// AbortUpdate went out, and on a second line what is left to do, with `sendAgainFrom`'s command
// for the files from a queue index on. A file cut short is sent again from its start: a run begins
// every file with its handshake and its header, and cannot take one up in the middle.
std::string unfinishedRunText(const RunProgress& progress, bool interrupted,
                              const std::function<std::string(std::size_t)>& sendAgainFrom);

} // namespace sus::cli
