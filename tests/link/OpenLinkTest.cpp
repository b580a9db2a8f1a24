// SPDX-License-Identifier: Apache-2.0
#include "tests/link/LinkBench.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

namespace sus::test {
namespace {

using Op = SimulatedController::Op;

// The link opens the controller found at start-up by its port, never another device that now sits
// at its index.
TEST(OpenLinkMends, OpensTheControllerFoundAtStartUpByIdentity)
{
    LinkBench bench;
    bench.devices.attach({.identity = "ttyUSB0", .vendorId = 0x0403, .productId = 0x6001});
    bench.devices.attach(controllerAt("ttyUSB1"));
    bench.link.discoverController();
    ASSERT_EQ(bench.link.controllerIndex(), 1u);

    // The device before it went away: the controller moved to index 0 and is still opened.
    bench.devices.detach("ttyUSB0");
    ASSERT_TRUE(bench.link.OpenLink());
    EXPECT_EQ(bench.link.controllerIndex(), 0u);
    EXPECT_EQ(bench.devices.calls().back().op, Op::SetLineState);
    bench.link.CloseLink();

    // The controller itself went away and another device took its index: the open fails.
    bench.devices.detach("ttyUSB1");
    bench.devices.attach(controllerAt("ttyUSB7"));
    bench.devices.clearCalls();
    EXPECT_FALSE(bench.link.OpenLink());
    EXPECT_FALSE(bench.link.isOpen());
    EXPECT_EQ(bench.devices.callCount(Op::Open), 0u);
}

TEST(OpenLinkMends, RefusesAnotherDeviceThatTookTheControllersPortName)
{
    LinkBench bench;
    bench.devices.attach(controllerAt("ttyUSB0"));
    bench.link.discoverController();
    bench.devices.detach("ttyUSB0");
    bench.devices.attach({.identity = "ttyUSB0", .vendorId = kControllerVendorId, .productId = 0xEA60});
    bench.devices.clearCalls();

    EXPECT_FALSE(bench.link.OpenLink());
    EXPECT_FALSE(bench.link.isOpen());
    EXPECT_EQ(bench.devices.openHandleCount(), 0u);
    EXPECT_EQ(bench.devices.callCount(Op::SetLineState), 0u) << "nothing is sent to it";
}

TEST(OpenLinkMends, ReportsAControllerThatCannotBeOpened)
{
    LinkBench bench;
    bench.devices.attach(controllerAt("ttyUSB0"));
    bench.link.discoverController();
    bench.devices.setOpenable("ttyUSB0", false);
    EXPECT_FALSE(bench.link.OpenLink());
    EXPECT_EQ(bench.link.handle(), kNoDevice);
}

TEST(OpenLinkMends, OpeningAnOpenLinkClosesTheEarlierHandleFirst)
{
    LinkBench bench;
    bench.openController();
    const DeviceHandle first = bench.link.handle();

    ASSERT_TRUE(bench.link.OpenLink());
    ASSERT_FALSE(bench.devices.calls().empty());
    EXPECT_EQ(bench.devices.calls()[0].op, Op::Close);
    EXPECT_EQ(bench.devices.calls()[0].handle, first);
    EXPECT_EQ(bench.devices.callCount(Op::Open), 1u);
    EXPECT_NE(bench.link.handle(), first);
    EXPECT_EQ(bench.devices.openHandleCount(), 1u);
}

TEST(OpenLinkMends, WritesReportFailure)
{
    const std::array<std::uint8_t, 4> bytes{0x55, 1, 2, 3};

    LinkBench bench;
    bench.openController();
    EXPECT_TRUE(bench.markedWrite(bytes));
    EXPECT_TRUE(bench.breakByte(BreakForm::PlainWrite));
    EXPECT_TRUE(bench.write(bytes));
    EXPECT_TRUE(bench.changeParity(Parity::Mark));

    // Pulled out in the middle of a write: the bytes up to then went out, the write fails and so
    // does everything sent after it.
    bench.devices.unplugAfterBytes(2);
    EXPECT_FALSE(bench.markedWrite(bytes));
    EXPECT_EQ(bench.devices.txLine().writes().back().bytes.size(), 1u);
    EXPECT_FALSE(bench.breakByte(BreakForm::MarkedWrite));
    EXPECT_FALSE(bench.changeParity(Parity::Mark));
    EXPECT_FALSE(bench.link.OpenLink());

    // A closed link sends nothing.
    LinkBench closed;
    closed.openController();
    closed.link.CloseLink();
    const std::size_t written = closed.devices.txLine().writes().size();
    EXPECT_FALSE(closed.markedWrite(bytes));
    EXPECT_FALSE(closed.breakByte(BreakForm::PlainWrite));
    EXPECT_FALSE(closed.write(bytes));
    EXPECT_EQ(closed.devices.txLine().writes().size(), written);
}

TEST(OpenLinkMends, UnplugAtATimeFailsWritesFromThenOn)
{
    const std::array<std::uint8_t, 2> bytes{0x55, 0};
    LinkBench bench;
    bench.openController();
    bench.devices.unplugAtTime(5'000'000);
    EXPECT_TRUE(bench.markedWrite(bytes));
    bench.clock.advanceBy(5'000'000);
    EXPECT_FALSE(bench.markedWrite(bytes));
    EXPECT_EQ(bench.devices.txLine().writes().size(), 2u);
    EXPECT_TRUE(bench.devices.devices().empty());
}

TEST(OpenLinkMends, MarkedWriteOfNothingSendsNothing)
{
    LinkBench bench;
    bench.openController();
    EXPECT_FALSE(bench.markedWrite({}));
    EXPECT_TRUE(bench.devices.calls().empty());
}

} // namespace
} // namespace sus::test
