// SPDX-License-Identifier: Apache-2.0
// Discovery and opening on the real backend, with USB serial ports of a device testbed: Qt's
// enumeration sees them as it sees plugged-in bridges.

#include "link/LineFrames.h"
#include "tests/bridge/DeviceTestbed.h"
#include "tests/link/serial/SerialBridgeBench.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <unistd.h>

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

// Without a controller, discovery's survey says what it did see: nothing of the controller's kind (and
// the other makers' devices, by name), a bridge of its kind this user may not open, with the fix, or
// one that is another bridge of the family.
TEST(SerialDiscoveryWithoutController, SaysWhatItSawAndWhatToDo)
{
    ASSERT_TRUE(bridge::DeviceTestbed::active()) << "runs under the testbed's preload library";
    const std::string family = uniqueTtyName(3);
    const std::string board = uniqueTtyName(4);
    struct Case {
        const char* name;
        std::uint16_t familyProduct; // 0: no device of the family
        int openRefusal;
        std::vector<std::string> lines;
    };
    const std::string restart = "Once a controller is attached, run the command again.";
    const std::string others = "Other USB serial devices attached: " + board;
    const Case cases[] = {
        {"nothing of its kind",
         0,
         0,
         {"No USB serial device of the controller's kind (USB vendor 10C4) is attached: check the "
          "controller's USB "
          "cable, and that the system has the driver of its CP210x USB-UART bridge.",
          others, restart}},
        {"one this user may not open",
         kControllerProductId,
         EACCES,
         {family + " could not be opened. This user may not open the port. Install the udev rule from "
                   "packaging/linux/, or add the user to the dialout group and log in again.",
          others, restart}},
        {"one another program holds",
         kControllerProductId,
         EBUSY,
         {family + " could not be opened. Another program is using the port. Close it, then try again.",
          others, restart}},
        {"another bridge of its kind",
         kOtherBridgeProduct,
         0,
         {family + " is a USB-UART of the controller's kind but not the controller (USB id 10C4:EA60).",
          others, restart}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The superuser may open any node: a refusal is then another program's hold, told as such.
        if (c.openRefusal == EACCES && ::geteuid() == 0)
            continue;
        bridge::ModelBridge& bridge = bridge::ModelBridge::instance();
        bridge::DeviceTestbed testbed;
        bridge.model("/dev/" + family);
        bridge.refuseOpens(c.openRefusal);
        bridge.watch("/dev/" + board);
        if (c.familyProduct != 0)
            testbed.addUsbSerialPort(family, kControllerVendorId, c.familyProduct);
        testbed.addUsbSerialPort(board, kOtherVendor, 0x5678);
        SerialDeviceLayer devices;
        RecordingPresenter presenter;
        Link link{devices, presenter};
        link.discoverController();
        ASSERT_FALSE(link.controllerFound());
        std::vector<std::string> lines;
        std::istringstream text(whyNoController(link.survey()));
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        ASSERT_EQ(lines.size(), c.lines.size()) << whyNoController(link.survey());
        EXPECT_EQ(lines[0], c.lines[0]);
        // The other maker's board is named, with what it calls itself when the system knows.
        EXPECT_EQ(lines[1].rfind(c.lines[1], 0), 0u) << lines[1];
        EXPECT_EQ(lines[2], c.lines[2]);
        EXPECT_EQ(bridge.opensOf("/dev/" + board), 0u) << "another maker's port is never opened";
        bridge.refuseOpens(0);
    }
}

} // namespace
} // namespace sus::test
