// SPDX-License-Identifier: Apache-2.0
// Whatever is typed into the fixture address field, the faders edit slots of the universe that
// belong to an address from 1 to 511, and the field ends up holding such an address.
#include "dmx/AddressField.h"
#include "dmx/ChannelConsole.h"
#include "dmx/ChannelLayout.h"
#include "dmx/DmxUniverse.h"
#include "tests/dmx/FakePageView.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace sus::test {
namespace {

const char* const kTyped[] = {"",
                              " ",
                              "+",
                              "-",
                              "-0",
                              "0",
                              "512",
                              "2147483647",
                              "2147483648",
                              "-2147483648",
                              "-2147483649",
                              "99999999999999999999999999",
                              "000000000000000000000000511",
                              "\t511\n",
                              "0x10",
                              "1e3",
                              "511.0",
                              "5 1",
                              "++5",
                              "\xEF\xBC\x95" /* full-width 5 */,
                              "\xD9\xA5" /* Arabic-Indic 5 */,
                              "\xFF",
                              "-\xFF"};

TEST(AddressInput, AnyTypedTextEditsOnlySlotsOfAnAddressInRange)
{
    for (const char* typed : kTyped) {
        SCOPED_TRACE(typed);
        DmxUniverse universe;
        FakePageView view;
        ChannelConsole console(view, universe);
        view.console = &console;
        view.address = typed;
        for (int page = 0; page < kPageCount; ++page) {
            view.selectPage(page);
            for (int fader = 1; fader <= kFaderCount; ++fader)
                EXPECT_NO_THROW(view.moveFader(fader, 0)); // full level, so the slot shows
        }
        // The slots written are those of one address from 1 to 511, all 64 channels of it.
        std::size_t first = 0, count = 0;
        for (std::size_t slot = 0; slot < kUniverseSlots; ++slot) {
            if (universe.level(slot) == 0)
                continue;
            first = first == 0 ? slot : first;
            ++count;
        }
        EXPECT_EQ(count, static_cast<std::size_t>(kPageCount * kFaderCount));
        EXPECT_GE(first, static_cast<std::size_t>(kMinAddress));
        EXPECT_LE(first, static_cast<std::size_t>(kMaxAddress));

        const std::string shown = addressTextOnFocusLost(typed);
        const std::optional<int> address = parseAddress(shown);
        ASSERT_TRUE(address.has_value()) << shown;
        EXPECT_EQ(*address, static_cast<int>(first)); // the field settles on the address the faders used
    }
}

TEST(AddressInput, StepsFromAnyValueStayInRange)
{
    for (const int value : {INT_MIN, -1, 0, 1, 511, 512, INT_MAX}) {
        for (const int steps : {INT_MIN, -1, 1, INT_MAX}) {
            const int stepped = stepAddress(value, steps);
            EXPECT_GE(stepped, kMinAddress) << value << " " << steps;
            EXPECT_LE(stepped, kMaxAddress) << value << " " << steps;
        }
    }
}

} // namespace
} // namespace sus::test
