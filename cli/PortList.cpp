#include "cli/PortList.h"

#include "core/HexText.h"
#include "link/LinkFaultText.h"

namespace sus::cli {
namespace {

std::string usbId(std::uint16_t id)
{
    return hexByte(id >> 8) + hexByte(id);
}

} // namespace

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
        out << "  " << usbId(devices.vendorId(handle)) << ':' << usbId(devices.productId(handle));
        devices.close(handle);
        if (devices.deviceIdentity(index) == controllerIdentity)
            out << "  controller";
        out << '\n';
    }
}

} // namespace sus::cli
