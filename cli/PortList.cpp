// SPDX-License-Identifier: Apache-2.0
#include "cli/PortList.h"

#include "core/HexText.h"
#include "link/LinkFaultText.h"

namespace sus::cli {

std::vector<PortEntry> surveyPorts(DeviceLayer& devices, const std::string& controllerIdentity)
{
    std::uint32_t count = 0;
    if (devices.countDevices(count) != 0)
        count = 0;
    std::vector<PortEntry> entries;
    for (std::uint32_t index = 0; index < count; ++index) {
        PortEntry entry;
        entry.port = devices.deviceIdentity(index);
        const DeviceHandle handle = devices.open(index);
        if (handle == kNoDevice) {
            entry.whyNot = faultReason(devices.lastFault());
        } else {
            entry.opened = true;
            entry.vendorId = devices.vendorId(handle);
            entry.productId = devices.productId(handle);
            devices.close(handle);
            entry.controller = entry.port == controllerIdentity;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

void listPorts(DeviceLayer& devices, const std::string& controllerIdentity, std::ostream& out)
{
    for (const PortEntry& entry : surveyPorts(devices, controllerIdentity)) {
        out << entry.port;
        if (!entry.opened) {
            out << "  cannot be opened: " << entry.whyNot << '\n';
            continue;
        }
        out << "  " << hexWord(entry.vendorId) << ':' << hexWord(entry.productId);
        if (entry.controller)
            out << "  controller";
        out << '\n';
    }
}

} // namespace sus::cli
