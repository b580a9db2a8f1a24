// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateImage.h"

#include <string>

namespace sus {

// Why a file does not look like an update file, as one sentence; empty when it does. The format
// carries no mark of its own, so a wrong file would otherwise be read as one and its password
// called wrong: its name (.MVT, in any letter case, as the window's file box lists them) and its
// header texts (shown up to their first zero byte, where an update file holds no control byte) are
// what tell.
std::string unlikeAnUpdateFile(const std::string& utf8Path, const UpdateImage& header);

} // namespace sus
