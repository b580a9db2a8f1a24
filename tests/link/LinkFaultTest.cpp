// SPDX-License-Identifier: Apache-2.0
// Why the controller's port failed, from the device layer through the link to the lines the user
// reads under a message.
#include "tests/link/LinkBench.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

namespace sus::test {
namespace {

using Kind = DeviceFault::Kind;

TEST(SimulatedFaults, AnOpenThatFailsSaysWhyAndOneThatSucceedsClearsIt)
{
    VirtualScheduler clock;
    SimulatedController devices(clock);
    devices.attach(controllerAt("ttyUSB0"));
    EXPECT_EQ(devices.lastFault(), DeviceFault{});

    const std::array<std::pair<Kind, const char*>, 4> words{{{Kind::PermissionDenied, "Permission denied"},
                                                             {Kind::Busy, "Device or resource busy"},
                                                             {Kind::Gone, "No such device"},
                                                             {Kind::Other, "Input/output error"}}};
    for (const auto& [kind, detail] : words) {
        devices.setOpenable("ttyUSB0", false, kind);
        EXPECT_EQ(devices.open(0), kNoDevice);
        EXPECT_EQ(devices.lastFault(), (DeviceFault{kind, detail}));
    }
    devices.setOpenable("ttyUSB0", false);
    devices.open(0);
    EXPECT_EQ(devices.lastFault().kind, Kind::Other) << "the default refusal";

    devices.setOpenable("ttyUSB0", true);
    const DeviceHandle handle = devices.open(0);
    ASSERT_NE(handle, kNoDevice);
    EXPECT_EQ(devices.lastFault(), DeviceFault{});

    EXPECT_EQ(devices.open(0), kNoDevice);
    EXPECT_EQ(devices.lastFault().kind, Kind::Busy) << "a port opens once at a time";
    // A failure on one handle does not touch another: the open one still works.
    LineState line;
    EXPECT_TRUE(devices.getLineState(handle, line));

    EXPECT_EQ(devices.open(5), kNoDevice);
    EXPECT_EQ(devices.lastFault().kind, Kind::Gone) << "no device at that index";
}

TEST(SimulatedFaults, CallsOnAnUnpluggedOrUnknownHandleSayWhy)
{
    const std::array<std::uint8_t, 4> bytes{1, 2, 3, 4};
    LineState line;
    LinkBench bench;
    bench.openController();
    const DeviceHandle handle = bench.link.handle();

    bench.devices.unplugAfterBytes(2);
    EXPECT_FALSE(bench.devices.write(handle, bytes.data(), bytes.size()));
    EXPECT_EQ(bench.devices.lastFault().kind, Kind::Gone) << "pulled out during the write";
    EXPECT_FALSE(bench.devices.setLineState(handle, line));
    EXPECT_EQ(bench.devices.lastFault().kind, Kind::Gone);
    EXPECT_FALSE(bench.devices.getLineState(handle, line));
    EXPECT_EQ(bench.devices.lastFault().kind, Kind::Gone);

    bench.link.CloseLink();
    const DeviceFault notOpen{Kind::Other, kHandleNotOpenDetail};
    // Each call is checked on its own: a successful open of another device clears the fault first.
    bench.devices.attach(controllerAt("ttyUSB1"));
    const auto clearFault = [&] { bench.devices.close(bench.devices.open(0)); };
    clearFault();
    EXPECT_FALSE(bench.devices.write(handle, bytes.data(), 1));
    EXPECT_EQ(bench.devices.lastFault(), notOpen);
    clearFault();
    EXPECT_FALSE(bench.devices.setLineState(handle, line));
    EXPECT_EQ(bench.devices.lastFault(), notOpen);
    clearFault();
    EXPECT_FALSE(bench.devices.getLineState(handle, line));
    EXPECT_EQ(bench.devices.lastFault(), notOpen);
}

TEST(LinkFaults, AnOpenThatFailsKeepsTheDevicesReasonAndThePortAndASuccessfulOpenClearsIt)
{
    for (const Kind kind : kFaultKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        LinkBench bench;
        bench.devices.attach(controllerAt("ttyUSB3"));
        bench.link.discoverController();
        bench.devices.setOpenable("ttyUSB3", false, kind);
        EXPECT_FALSE(bench.link.OpenLink());
        EXPECT_EQ(bench.link.lastFault().kind, kind);
        EXPECT_EQ(bench.link.faultPort(), "ttyUSB3");

        bench.devices.setOpenable("ttyUSB3", true);
        EXPECT_TRUE(bench.link.OpenLink());
        EXPECT_EQ(bench.link.lastFault(), DeviceFault{});
        EXPECT_EQ(bench.link.faultPort(), "");
    }
}

TEST(LinkFaults, AControllerGoneSinceStartUpIsGoneAndWithNoneFoundDiscoverysReasonStays)
{
    LinkBench bench;
    bench.devices.attach(controllerAt("ttyUSB0"));
    bench.link.discoverController();
    bench.devices.detach("ttyUSB0");
    EXPECT_FALSE(bench.link.OpenLink());
    EXPECT_EQ(bench.link.lastFault().kind, Kind::Gone);
    EXPECT_EQ(bench.link.faultPort(), "ttyUSB0");

    // Nothing attached, so nothing was tried: the message alone tells it.
    LinkBench empty;
    empty.link.discoverController();
    EXPECT_FALSE(empty.link.OpenLink());
    EXPECT_EQ(empty.link.lastFault(), DeviceFault{});
    EXPECT_EQ(linkFaultText("Not opened.", empty.link), "Not opened.");

    // The only device could not be examined: why is the best reason there is for finding nothing.
    LinkBench refused;
    refused.devices.attach({.identity = "ttyUSB2", .openable = false, .refusal = Kind::PermissionDenied});
    refused.link.discoverController();
    EXPECT_FALSE(refused.link.OpenLink());
    EXPECT_EQ(refused.link.lastFault().kind, Kind::PermissionDenied);
    EXPECT_EQ(refused.link.faultPort(), "ttyUSB2");
}

TEST(LinkFaults, AFramingStepThatFailsKeepsTheFirstReasonUntilTheNextOpen)
{
    const std::array<std::uint8_t, 4> bytes{0x55, 1, 2, 3};
    LinkBench bench;
    bench.openController();
    EXPECT_TRUE(bench.markedWrite(bytes));
    EXPECT_EQ(bench.link.lastFault(), DeviceFault{});

    bench.devices.unplugAfterBytes(2);
    EXPECT_FALSE(bench.markedWrite(bytes));
    EXPECT_EQ(bench.link.lastFault().kind, Kind::Gone);
    EXPECT_EQ(bench.link.faultPort(), "ttyUSB0");

    // What fails after, on the closed link, follows from the first fault and does not replace it.
    bench.link.CloseLink();
    EXPECT_FALSE(bench.changeParity(Parity::Mark));
    EXPECT_EQ(bench.link.lastFault().kind, Kind::Gone);

    bench.devices.attach(controllerAt("ttyUSB0"));
    ASSERT_TRUE(bench.link.OpenLink());
    EXPECT_EQ(bench.link.lastFault(), DeviceFault{});
}

TEST(LinkFaults, ABackendThatFailsWithoutSayingWhyStillFailed)
{
    LinkBench silent;
    silent.devices.attach(controllerAt("ttyUSB0"));
    silent.link.discoverController();
    silent.devices.setOpenable("ttyUSB0", false, Kind::None);
    EXPECT_FALSE(silent.link.OpenLink());
    EXPECT_EQ(silent.link.lastFault(), (DeviceFault{Kind::Other, ""}));
}

TEST(LinkFaultText, TheMessageThenThePortThenWhatToDo)
{
    const std::pair<DeviceFault, std::string> cases[] = {
        {{Kind::PermissionDenied, "Permission denied"},
         "This user may not open the port. Install the udev rule from packaging/linux/, or add the user to "
         "the dialout group and log in again."},
        {{Kind::Busy, "Device or resource busy"},
         "Another program is using the port. Close it, then try again."},
        {{Kind::Gone, "No such device"}, "The controller was unplugged. Plug it in again."},
        {{Kind::Other, "Input/output error"}, "Input/output error"},
    };
    for (const auto& [fault, reason] : cases) {
        EXPECT_EQ(faultReason(fault), reason);
        LinkBench bench;
        bench.devices.attach(controllerAt("ttyUSB1"));
        bench.link.discoverController();
        bench.devices.setOpenable("ttyUSB1", false, fault.kind);
        bench.link.OpenLink();
        EXPECT_EQ(linkFaultText("Could not open.\nCheck it.", bench.link),
                  "Could not open.\nCheck it.\nttyUSB1\n" + reason);
    }
    EXPECT_EQ(faultReason({Kind::Other, ""}), "The operating system gave no reason.");
    EXPECT_EQ(faultReason({}), "");
}

} // namespace
} // namespace sus::test
