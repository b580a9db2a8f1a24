// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace sus::cli {

// Ctrl+C while the line is driven in real time: the first one is noted, so the command can end its
// run properly (an update sends AbortUpdate, DMX output closes the link); a second one ends the
// program at once, as usual.
void catchInterrupt();

// Whether Ctrl+C was pressed since the last call.
bool takeInterrupt();

} // namespace sus::cli
