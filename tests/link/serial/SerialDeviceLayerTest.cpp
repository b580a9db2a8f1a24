// SPDX-License-Identifier: Apache-2.0
#include "link/serial/SerialDeviceLayer.h"
#include "link/Link.h"
#include "tests/link/LinkBench.h"
#include "tests/link/serial/CoreApplication.h"
#include "tests/link/serial/PtyLineRate.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/RecordingPresenter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace sus::test {
namespace {

class SerialBackend : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureCoreApplication(); }

    void SetUp() override { ASSERT_FALSE(pty.slaveName().empty()); }

    PseudoTerminal pty;
    RecordingPresenter presenter;
};

TEST_F(SerialBackend, OpensAPortByNameAtTheLinkRateAndSendsBytesInOrder)
{
    SerialDeviceLayer devices(pty.slaveName());
    Link link(devices, presenter);
    link.discoverController();
    EXPECT_THAT(presenter.texts(), ::testing::ElementsAre("Controller has been found!"));
    ASSERT_TRUE(link.OpenLink());
    EXPECT_EQ(terminalOutputBaud(pty.heldSlave()), 250000u);

    std::vector<std::uint8_t> packet(38);
    for (std::size_t i = 0; i < packet.size(); ++i)
        packet[i] = static_cast<std::uint8_t>(0x55 + i * 13);
    const std::array<std::uint8_t, 3> levels{0x00, 0xFF, 0x0A};

    EXPECT_TRUE(runOn(link, [&](LineSteps& steps) {
        MarkedWrite(steps, packet);
        BreakByte(steps, BreakForm::PlainWrite);
        steps.write(levels);
    }));

    std::vector<std::uint8_t> expected = packet;
    expected.push_back(kBreakZero);
    expected.insert(expected.end(), levels.begin(), levels.end());
    EXPECT_EQ(pty.read(expected.size()), expected);

    // The pty driver drops parity flags: what the backend asked for is what it reports.
    LineState line;
    ASSERT_TRUE(devices.getLineState(link.handle(), line));
    EXPECT_EQ(line.baudRate, 250000u);
    EXPECT_EQ(line.parity, Parity::Mark);
    EXPECT_EQ(terminalOutputBaud(pty.heldSlave()), 250000u);
}

TEST_F(SerialBackend, CustomBreakRateReachesTheDriver)
{
    SerialDeviceLayer devices(pty.slaveName());
    std::uint32_t count = 0;
    ASSERT_EQ(devices.countDevices(count), 0);
    ASSERT_EQ(count, 1u);
    const DeviceHandle handle = devices.open(0);
    ASSERT_NE(handle, kNoDevice);
    LineState line;
    ASSERT_TRUE(devices.getLineState(handle, line));
    line.baudRate = 64000;
    line.parity = Parity::Space;
    ASSERT_TRUE(devices.setLineState(handle, line));
    EXPECT_EQ(terminalOutputBaud(pty.heldSlave()), 64000u);
    LineState readBack;
    ASSERT_TRUE(devices.getLineState(handle, readBack));
    EXPECT_EQ(readBack, line);
    devices.close(handle);
}

TEST_F(SerialBackend, CloseSendsWhatWasWrittenAndTheHandleIsDeadAfter)
{
    SerialDeviceLayer devices(pty.slaveName());
    std::uint32_t count = 0;
    devices.countDevices(count);
    const DeviceHandle handle = devices.open(0);
    ASSERT_NE(handle, kNoDevice);
    EXPECT_EQ(devices.open(0), kNoDevice) << "a port opens once at a time";

    std::vector<std::uint8_t> bytes(600);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(devices.write(handle, bytes.data(), bytes.size()));
    devices.close(handle);
    EXPECT_EQ(pty.read(bytes.size()), bytes);

    LineState line;
    EXPECT_FALSE(devices.getLineState(handle, line));
    EXPECT_FALSE(devices.write(handle, bytes.data(), 1));
    EXPECT_FALSE(devices.setLineState(handle, line));
}

TEST_F(SerialBackend, OnlyUsbSerialPortsAreAttached)
{
    SerialDeviceLayer devices;
    std::uint32_t count = 0;
    ASSERT_EQ(devices.countDevices(count), 0);
    std::vector<std::string> names;
    for (std::uint32_t i = 0; i < count; ++i)
        names.push_back(devices.deviceIdentity(i));
    EXPECT_TRUE(std::ranges::is_sorted(names));
    const std::string ptyPort = pty.slaveName().substr(pty.slaveName().rfind('/') + 1);
    EXPECT_THAT(names, ::testing::Not(::testing::Contains(ptyPort)));
}

} // namespace
} // namespace sus::test
