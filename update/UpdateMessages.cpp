// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateMessages.h"

#include "core/MessageLines.h"

namespace sus {

std::string fileFailureText(std::string_view message, const std::string& utf8Path, const std::string& reason)
{
    return withDetailLines(message, {utf8Path, reason});
}

} // namespace sus
