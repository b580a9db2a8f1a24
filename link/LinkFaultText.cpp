// SPDX-License-Identifier: Apache-2.0
#include "link/LinkFaultText.h"

#include "core/MessageLines.h"
#include "link/Link.h"

namespace sus {

std::string faultReason(const DeviceFault& fault)
{
    switch (fault.kind) {
    case DeviceFault::Kind::PermissionDenied:
        // The fixes of the README's hardware set-up, for a user who never read it.
        return "This user may not open the port. Install the udev rule from packaging/linux/, or add the "
               "user to the dialout group and log in again.";
    case DeviceFault::Kind::Busy:
        return "Another program is using the port. Close it, then try again.";
    case DeviceFault::Kind::Gone:
        return "The controller was unplugged. Plug it in again.";
    case DeviceFault::Kind::Other:
        return fault.detail.empty() ? "The operating system gave no reason." : fault.detail;
    case DeviceFault::Kind::None:
        break;
    }
    return {};
}

std::string linkFaultText(std::string_view message, const Link& link)
{
    if (link.lastFault().kind == DeviceFault::Kind::None)
        return std::string(message);
    return withDetailLines(message, {link.faultPort(), faultReason(link.lastFault())});
}

} // namespace sus
