#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/LineSession.h"
#include "cli/TerminalPresenter.h"
#include "link/Link.h"
#include "link/SimulatedController.h"
#include "link/SteadyClock.h"
#include "link/serial/SerialDeviceLayer.h"
#include "core/HexText.h"

#include <iostream>
#include <memory>

namespace sus::cli {
namespace {

std::string usbId(std::uint16_t id)
{
    return hexByte(id >> 8) + hexByte(id);
}

// One line per attached device, in the order discovery examines them.
void listDevices(DeviceLayer& devices, const std::string& controller)
{
    std::uint32_t count = 0;
    if (devices.countDevices(count) != 0)
        count = 0;
    for (std::uint32_t index = 0; index < count; ++index) {
        std::cout << devices.deviceIdentity(index);
        const DeviceHandle handle = devices.open(index);
        if (handle == kNoDevice) {
            std::cout << "  cannot be opened\n";
            continue;
        }
        std::cout << "  " << usbId(devices.vendorId(handle)) << ':' << usbId(devices.productId(handle));
        devices.close(handle);
        if (devices.deviceIdentity(index) == controller)
            std::cout << "  controller";
        std::cout << '\n';
    }
}

} // namespace

int runPorts(const QStringList& arguments)
{
    CommandParser command(
        QStringLiteral("ports"),
        QStringLiteral(
            "Lists the attached USB serial devices as controller discovery sees them, with their USB "
            "vendor and product ids (hexadecimal); the controller that would be used is marked.\n"
            "Exit status: 0 a controller is attached; 5 none is; 2 bad arguments."));
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("List the simulated controller instead."));
    command.parser().addOption(simulate);
    if (const auto status = command.parse(arguments))
        return *status;
    if (!command.parser().positionalArguments().isEmpty())
        return command.usageError(QStringLiteral("Unexpected argument \"%1\".")
                                      .arg(command.parser().positionalArguments().front()));

    SteadyClock clock;
    std::unique_ptr<DeviceLayer> devices;
    if (command.parser().isSet(simulate)) {
        devices = makeSimulatedController(clock);
    } else {
        devices = std::make_unique<SerialDeviceLayer>();
    }
    // Discovery itself picks the controller; its announcements are not wanted here.
    SilentPresenter quiet;
    Link link(*devices, quiet);
    link.discoverController();
    listDevices(*devices, link.controllerIdentity());
    if (!link.controllerFound()) {
        std::cerr << "No controller is attached.\n";
        return exit_code::kNoController;
    }
    return exit_code::kSuccess;
}

} // namespace sus::cli
