// SPDX-License-Identifier: Apache-2.0
// What the serial backend says when a port cannot be opened or written to, from what the operating
// system and Qt report on real ports: pseudo-terminals, a missing path, a plain file.
#include "link/serial/SerialDeviceLayer.h"
#include "tests/link/serial/CoreApplication.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <fcntl.h>
#include <fstream>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sus::test {
namespace {

using Kind = DeviceFault::Kind;

class PortFaults : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureCoreApplication(); }

    // Opens the one port of a layer made for it; kNoDevice when it would not open.
    static DeviceHandle openOnly(SerialDeviceLayer& devices)
    {
        std::uint32_t count = 0;
        devices.countDevices(count);
        return devices.open(0);
    }
};

TEST_F(PortFaults, APortThatIsNotThereIsGone)
{
    TempDir dir;
    SerialDeviceLayer devices((dir / "ttyNone").string());
    EXPECT_EQ(openOnly(devices), kNoDevice);
    EXPECT_EQ(devices.lastFault().kind, Kind::Gone);
    EXPECT_FALSE(devices.lastFault().detail.empty());
}

TEST_F(PortFaults, APortAlreadyOpenIsBusyAndOpensOnceFreed)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slaveName().empty());
    SerialDeviceLayer first(pty.slaveName());
    SerialDeviceLayer second(pty.slaveName());
    const DeviceHandle held = openOnly(first);
    ASSERT_NE(held, kNoDevice);

    EXPECT_EQ(first.open(0), kNoDevice);
    EXPECT_EQ(first.lastFault().kind, Kind::Busy);
    EXPECT_EQ(openOnly(second), kNoDevice);
    EXPECT_EQ(second.lastFault().kind, Kind::Busy) << second.lastFault().detail;

    first.close(held);
    EXPECT_NE(openOnly(second), kNoDevice);
    EXPECT_EQ(second.lastFault(), DeviceFault{});
}

TEST_F(PortFaults, AFileThatIsNoSerialPortGivesTheSystemsOwnWords)
{
    TempDir dir;
    const auto path = dir / "not-a-port";
    std::ofstream(path) << "x";
    SerialDeviceLayer devices(path.string());
    EXPECT_EQ(openOnly(devices), kNoDevice);
    EXPECT_EQ(devices.lastFault().kind, Kind::Other);
    EXPECT_FALSE(devices.lastFault().detail.empty());
}

TEST_F(PortFaults, AWriteToALineThatHungUpIsGone)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slaveName().empty());
    SerialDeviceLayer devices(pty.slaveName());
    const DeviceHandle handle = openOnly(devices);
    ASSERT_NE(handle, kNoDevice);
    pty.hangUp();
    const std::array<std::uint8_t, 16> bytes{};
    EXPECT_FALSE(devices.write(handle, bytes.data(), bytes.size()));
    EXPECT_EQ(devices.lastFault().kind, Kind::Gone) << devices.lastFault().detail;

    devices.close(handle);
    EXPECT_FALSE(devices.write(handle, bytes.data(), 1));
    EXPECT_EQ(devices.lastFault(), (DeviceFault{Kind::Other, kHandleNotOpenDetail}));
}

// Both come from Qt as a permission error; only one of them is about permission.
TEST_F(PortFaults, APortThisUserMayNotOpenIsDeniedButOneHeldExclusivelyIsBusy)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root passes every permission check and every exclusive hold";
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slaveName().empty());
    SerialDeviceLayer devices(pty.slaveName());

    ASSERT_EQ(::chmod(pty.slaveName().c_str(), 0), 0);
    EXPECT_EQ(openOnly(devices), kNoDevice);
    EXPECT_EQ(devices.lastFault().kind, Kind::PermissionDenied) << devices.lastFault().detail;
    ASSERT_EQ(::chmod(pty.slaveName().c_str(), S_IRUSR | S_IWUSR), 0);

    // Another program that opened the port for itself alone, without Qt's lock file.
    const int other = ::open(pty.slaveName().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::ioctl(other, TIOCEXCL), 0);
    EXPECT_EQ(openOnly(devices), kNoDevice);
    EXPECT_EQ(devices.lastFault().kind, Kind::Busy) << devices.lastFault().detail;
    ::ioctl(other, TIOCNXCL);
    ::close(other);
}

} // namespace
} // namespace sus::test
