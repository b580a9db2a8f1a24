// SPDX-License-Identifier: Apache-2.0
#include "dmx/ChannelConsole.h"
#include "dmx/AddressField.h"
#include "dmx/DmxUniverse.h"
#include "tests/dmx/FakePageView.h"

#include <gtest/gtest.h>

#include <vector>

namespace sus::test {
namespace {

class ChannelConsoleTest : public ::testing::Test {
protected:
    ChannelConsoleTest() { view.console = &console; }

    // Moves a fader to show `level`.
    void setLevel(int fader, int level) { view.moveFader(fader, kFaderBottom - level); }

    std::vector<std::uint8_t> allSlots() const
    {
        std::vector<std::uint8_t> slots;
        for (std::size_t slot = 0; slot < kUniverseSlots; ++slot)
            slots.push_back(universe.level(slot));
        return slots;
    }

    DmxUniverse universe;
    FakePageView view;
    ChannelConsole console{view, universe};
};

TEST_F(ChannelConsoleTest, FadersEditTheSlotsOfTheirChannelsAcrossPagesAndAddresses)
{
    struct Case {
        int address, page, fader;
        std::size_t slot;
    };
    const Case cases[] = {
        {1, 0, 1, 1},      {1, 0, 16, 16},    {1, 3, 16, 64}, {497, 0, 16, 512},
        {498, 0, 16, 513}, {511, 3, 16, 574}, {17, 0, 1, 17}, {1, 1, 1, 17},
    };
    int level = 10;
    for (const Case& c : cases) {
        view.address = std::to_string(c.address);
        view.selectPage(c.page);
        setLevel(c.fader, ++level);
        EXPECT_EQ(universe.level(c.slot), level) << "address " << c.address << " page " << c.page;
        EXPECT_EQ(view.levelText(c.fader), std::to_string(level));
    }
    // Two routes to slot 17: it holds whichever level was stored last.
    EXPECT_EQ(universe.level(17), level);
}

TEST_F(ChannelConsoleTest, TopOfTravelIsFullLevelAndBottomIsZero)
{
    view.moveFader(1, 0);
    EXPECT_EQ(view.levelText(1), "255");
    EXPECT_EQ(universe.level(1), 255);
    view.moveFader(1, kFaderBottom);
    EXPECT_EQ(view.levelText(1), "0");
    EXPECT_EQ(universe.level(1), 0);
}

TEST_F(ChannelConsoleTest, PageSwitchRelabelsAndReloadsFadersWithoutWritingLevels)
{
    setLevel(1, 100);
    universe.setLevel(17, 42);
    const auto before = allSlots();

    view.selectPage(1);
    EXPECT_EQ(view.name(1), "CH17");
    EXPECT_EQ(view.name(16), "CH32");
    EXPECT_EQ(view.levelText(1), "42");
    EXPECT_EQ(view.faderPosition(1), kFaderBottom - 42);
    EXPECT_EQ(allSlots(), before);

    view.selectPage(3);
    EXPECT_EQ(view.name(1), "CH49");
    EXPECT_EQ(view.name(16), "CH64");

    view.selectPage(0);
    EXPECT_EQ(view.name(1), "CH01");
    EXPECT_EQ(view.levelText(1), "100");
    EXPECT_EQ(view.faderPosition(1), kFaderBottom - 100);
    EXPECT_EQ(allSlots(), before);
}

TEST_F(ChannelConsoleTest, LevelPastChannel512IsKeptAndShownAgain)
{
    view.address = "511";
    view.selectPage(3);
    setLevel(16, 77);
    EXPECT_EQ(universe.level(574), 77);
    view.selectPage(2);
    EXPECT_EQ(view.levelText(16), "0");
    view.selectPage(3);
    EXPECT_EQ(view.levelText(16), "77");
}

TEST_F(ChannelConsoleTest, AddressChangeTakesEffectAtTheNextChange)
{
    setLevel(1, 50);
    universe.setLevel(10, 9);
    view.address = "10";

    EXPECT_EQ(view.levelText(1), "50");
    EXPECT_EQ(universe.level(1), 50);
    EXPECT_EQ(universe.level(10), 9);

    setLevel(2, 60);
    EXPECT_EQ(universe.level(11), 60);
    EXPECT_EQ(universe.level(2), 0);

    view.selectPage(1);
    view.selectPage(0);
    EXPECT_EQ(view.levelText(1), "9");
    EXPECT_EQ(universe.level(1), 50);
}

TEST_F(ChannelConsoleTest, AddressThatIsNotANumberReadsAsOneAndIsReplaced)
{
    for (const char* text : {"", "abc", "12x", "-"}) {
        view.address = text;
        setLevel(3, 33);
        EXPECT_EQ(universe.level(3), 33) << '"' << text << '"';
        EXPECT_EQ(view.address, "1");
        setLevel(3, 0);
    }
    view.address = "";
    view.selectPage(2);
    EXPECT_EQ(view.address, "1");
}

TEST_F(ChannelConsoleTest, TypedAddressOutOfRangeCountsAsTheNearerLimit)
{
    view.address = "600";
    view.selectPage(3);
    setLevel(16, 200);
    EXPECT_EQ(universe.level(574), 200);

    view.address = "99999999999999999999";
    setLevel(15, 201);
    EXPECT_EQ(universe.level(573), 201);

    view.address = "0";
    view.selectPage(0);
    setLevel(1, 202);
    EXPECT_EQ(universe.level(1), 202);

    view.address = "-40";
    setLevel(2, 203);
    EXPECT_EQ(universe.level(2), 203);

    // The field keeps what was typed until it loses the focus.
    EXPECT_EQ(view.address, "-40");
    EXPECT_EQ(universe.level(0), 0);
}

TEST(AddressField, KeepsTheAddressWithinItsLimits)
{
    EXPECT_EQ(parseAddress(" 42 "), 42);
    EXPECT_EQ(parseAddress("+7"), 7);
    EXPECT_EQ(parseAddress("-3"), -3);
    EXPECT_EQ(parseAddress(""), std::nullopt);
    EXPECT_EQ(parseAddress("4 2"), std::nullopt);

    EXPECT_EQ(addressTextOnFocusLost("600"), "511");
    EXPECT_EQ(addressTextOnFocusLost("0"), "1");
    EXPECT_EQ(addressTextOnFocusLost("-12"), "1");
    EXPECT_EQ(addressTextOnFocusLost("498"), "498");
    EXPECT_EQ(addressTextOnFocusLost("x"), "1");

    EXPECT_EQ(stepAddress(1, -1), 1);
    EXPECT_EQ(stepAddress(510, 1), 511);
    EXPECT_EQ(stepAddress(511, 1), 511);
    EXPECT_EQ(stepAddress(20, -5), 15);
    EXPECT_EQ(stepAddress(2147483647, 1), 511);
}

} // namespace
} // namespace sus::test
