// SPDX-License-Identifier: Apache-2.0
#include "tests/link/LinkBench.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sus::test {
namespace {

using Op = SimulatedController::Op;
using ::testing::ElementsAre;

const std::string kFound = "Controller has been found!";

TEST(Discovery, NothingAttachedOrCountFailingFindsNothing)
{
    for (int countResult : {0, 3}) {
        LinkBench bench;
        if (countResult != 0)
            bench.devices.attach(controllerAt("ttyUSB0"));
        bench.devices.setCountResult(countResult);
        bench.link.discoverController();
        EXPECT_THAT(bench.ops(), ElementsAre(Op::Count));
        EXPECT_TRUE(bench.presenter.shown.empty());
        EXPECT_EQ(bench.link.controllerState(), "NO");
        EXPECT_FALSE(bench.link.controllerFound());
        EXPECT_FALSE(bench.link.OpenLink());
    }
}

TEST(Discovery, WrongVendorOrProductIsExaminedAndClosedButNotFound)
{
    LinkBench bench;
    bench.devices.attach({.identity = "ttyUSB0", .vendorId = kControllerVendorId, .productId = 0xEA60});
    bench.devices.attach({.identity = "ttyUSB1", .vendorId = 0x0403, .productId = kControllerProductId});
    bench.link.discoverController();
    EXPECT_THAT(bench.ops(), ElementsAre(Op::Count, Op::Open, Op::VendorId, Op::ProductId, Op::Close,
                                         Op::Open, Op::VendorId, Op::ProductId, Op::Close));
    EXPECT_TRUE(bench.presenter.shown.empty());
    EXPECT_EQ(bench.link.controllerState(), "NO");
    EXPECT_EQ(bench.devices.openHandleCount(), 0u);
    EXPECT_EQ(bench.link.handle(), kNoDevice);
}

TEST(Discovery, EveryControllerIsAnnouncedAndTheLastWins)
{
    LinkBench bench;
    bench.devices.attach(controllerAt("ttyUSB0"));
    bench.devices.attach({.identity = "ttyUSB1", .vendorId = 0x0403, .productId = 0x6001});
    bench.devices.attach(controllerAt("ttyUSB2"));
    bench.link.discoverController();
    EXPECT_THAT(bench.presenter.texts(), ElementsAre(kFound, kFound));
    EXPECT_EQ(bench.link.controllerState(), "OK");
    EXPECT_EQ(bench.link.controllerIndex(), 2u);
    EXPECT_EQ(bench.link.controllerIdentity(), "ttyUSB2");
    EXPECT_EQ(bench.devices.openHandleCount(), 0u);
    EXPECT_FALSE(bench.link.isOpen());
}

TEST(Discovery, UnopenableDeviceIsSkippedWithoutClose)
{
    LinkBench bench;
    bench.devices.attach({.identity = "ttyUSB0", .openable = false});
    bench.devices.attach(controllerAt("ttyUSB1"));
    bench.link.discoverController();
    EXPECT_THAT(bench.ops(),
                ElementsAre(Op::Count, Op::Open, Op::Open, Op::VendorId, Op::ProductId, Op::Close));
    EXPECT_EQ(bench.link.controllerIndex(), 1u);
    EXPECT_TRUE(bench.link.controllerFound());
}

TEST(Discovery, OpenLinkSetsTheLineAndCloseLinkTwiceClosesOnce)
{
    LinkBench bench;
    bench.devices.attach(controllerAt("ttyUSB0"));
    bench.link.discoverController();
    bench.devices.clearCalls();

    ASSERT_TRUE(bench.link.OpenLink());
    LineState line;
    ASSERT_TRUE(bench.devices.getLineState(bench.link.handle(), line));
    EXPECT_EQ(line, (LineState{.baudRate = 250000,
                               .dataBits = 8,
                               .parity = Parity::Space,
                               .stopBits = 1,
                               .ctsFlow = false,
                               .dsrFlow = false,
                               .dtr = true,
                               .rts = false}));

    bench.link.CloseLink();
    bench.link.CloseLink();
    EXPECT_EQ(bench.devices.callCount(Op::Close), 1u);
    EXPECT_FALSE(bench.link.isOpen());
    EXPECT_EQ(bench.devices.openHandleCount(), 0u);
}

} // namespace
} // namespace sus::test
