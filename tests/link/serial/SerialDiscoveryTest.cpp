// Discovery and opening on the real backend, with USB serial ports of a device testbed: Qt's
// enumeration sees them as it sees plugged-in bridges.

#include "link/LineFrames.h"
#include "tests/bridge/DeviceTestbed.h"
#include "tests/link/serial/SerialBridgeBench.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sus::test {
namespace {

using ::testing::ElementsAre;

constexpr std::uint16_t kOtherBridgeProduct = 0xEA60; // the family's plain bridge, not a controller
constexpr std::uint16_t kOtherVendor = 0x1234;

class SerialDiscovery : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bridge::DeviceTestbed::active()) << "runs under the testbed's preload library";
        bridge.model("/dev/" + controller);
        bridge.watch("/dev/" + otherMakers);
        bridge.watch("/dev/" + otherBridge);
        testbed.addUsbSerialPort(controller, kControllerVendorId, kControllerProductId);
        testbed.addUsbSerialPort(otherMakers, kOtherVendor, 0x5678);
        testbed.addUsbSerialPort(otherBridge, kControllerVendorId, kOtherBridgeProduct);
    }

    std::vector<std::string> attached()
    {
        std::uint32_t count = 0;
        EXPECT_EQ(devices.countDevices(count), 0);
        std::vector<std::string> names;
        for (std::uint32_t index = 0; index < count; ++index)
            names.push_back(devices.deviceIdentity(index));
        return names;
    }

    const std::string controller = uniqueTtyName(0);
    const std::string otherMakers = uniqueTtyName(1);
    const std::string otherBridge = uniqueTtyName(2);
    bridge::DeviceTestbed testbed;
    bridge::ModelBridge& bridge = bridge::ModelBridge::instance();
    SerialDeviceLayer devices;
    RecordingPresenter presenter;
    Link link{devices, presenter};
};

TEST_F(SerialDiscovery, FindsTheControllerAmongItsFamilyAndNeverOpensAnotherMakersPort)
{
    EXPECT_THAT(attached(), ElementsAre(controller, otherBridge));
    link.discoverController();
    EXPECT_THAT(presenter.texts(), ElementsAre("Controller has been found!"));
    EXPECT_EQ(link.controllerIdentity(), controller);
    EXPECT_EQ(bridge.opensOf("/dev/" + otherMakers), 0u) << "opening raises DTR, which resets many boards";
    EXPECT_EQ(bridge.opensOf("/dev/" + otherBridge), 1u) << "the family's other bridge is examined";

    ASSERT_TRUE(link.OpenLink());
    const LineState line = bridge.lineState();
    EXPECT_EQ(line.baudRate, kLineBaud);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_EQ(line.parity, Parity::Space);
    EXPECT_EQ(line.stopBits, 1);
    EXPECT_FALSE(line.ctsFlow);
    EXPECT_TRUE(line.dtr);
    EXPECT_FALSE(line.rts);
    link.CloseLink();
    EXPECT_FALSE(bridge.isOpen());
    EXPECT_EQ(bridge.opensOf("/dev/" + otherMakers), 0u);
}

TEST_F(SerialDiscovery, OpenLinkRefusesAnotherBridgeThatTookTheControllersPortName)
{
    link.discoverController();
    testbed.replugAs(controller, kControllerVendorId, kOtherBridgeProduct);
    EXPECT_FALSE(link.OpenLink());
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(bridge.isOpen());
}

TEST_F(SerialDiscovery, ABridgeWhoseModemLinesFailCannotBeOpenedAsTheLink)
{
    link.discoverController();
    bridge.refuseModemLines(true);
    EXPECT_FALSE(link.OpenLink());
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(bridge.isOpen());
}

} // namespace
} // namespace sus::test
