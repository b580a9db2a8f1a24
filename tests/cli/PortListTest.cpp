// SPDX-License-Identifier: Apache-2.0
#include "cli/PortList.h"
#include "tests/link/LinkBench.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sus::test {
namespace {

using Kind = DeviceFault::Kind;

TEST(PortList, EachDeviceShowsItsIdsOrWhyItCannotBeOpened)
{
    VirtualScheduler clock;
    SimulatedController devices(clock);
    devices.attach({.identity = "ttyUSB0", .vendorId = 0x0403, .productId = 0x6001});
    devices.attach({.identity = "ttyUSB1", .openable = false, .refusal = Kind::PermissionDenied});
    devices.attach({.identity = "ttyUSB2", .openable = false, .refusal = Kind::Busy});
    devices.attach({.identity = "ttyUSB3", .openable = false, .refusal = Kind::Other});
    devices.attach(controllerAt("ttyUSB4"));

    std::ostringstream out;
    cli::listPorts(devices, "ttyUSB4", out);
    EXPECT_EQ(out.str(), "ttyUSB0  0403:6001\n"
                         "ttyUSB1  cannot be opened: This user may not open the port. Install the udev rule "
                         "from packaging/linux/, or add the user to the dialout group and log in again.\n"
                         "ttyUSB2  cannot be opened: Another program is using the port. Close it, then try "
                         "again.\n"
                         "ttyUSB3  cannot be opened: Input/output error\n"
                         "ttyUSB4  10C4:FF01  controller\n");
    EXPECT_EQ(devices.openHandleCount(), 0u);
}

} // namespace
} // namespace sus::test
