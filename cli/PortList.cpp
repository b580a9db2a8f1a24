// SPDX-License-Identifier: Apache-2.0
#include "cli/PortList.h"

#include "core/HexText.h"
#include "link/LinkFaultText.h"

namespace sus::cli {
void listPorts(DeviceLayer& devices, const std::string& controllerIdentity, std::ostream& out)
{
    std::uint32_t count = 0;
    if (devices.countDevices(count) != 0)
        count = 0;
    for (std::uint32_t index = 0; index < count; ++index) {
        out << devices.deviceIdentity(index);
        const DeviceHandle handle = devices.open(index);
        if (handle == kNoDevice) {
            out << "  cannot be opened: " << faultReason(devices.lastFault()) << '\n';
            continue;
        }
        out << "  " << hexWord(devices.vendorId(handle)) << ':' << hexWord(devices.productId(handle));
        devices.close(handle);
        if (devices.deviceIdentity(index) == controllerIdentity)
            out << "  controller";
        out << '\n';
    }
}

} // namespace sus::cli
