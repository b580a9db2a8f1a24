// SPDX-License-Identifier: Apache-2.0
#include "link/machine/LogindKeepAwake.h"
#include "link/machine/SystemKeepAwake.h"

namespace sus {

std::unique_ptr<KeepAwake> makeSystemKeepAwake(const std::string& who)
{
    return std::make_unique<LogindKeepAwake>([] { return QDBusConnection::systemBus(); }, who);
}

} // namespace sus
