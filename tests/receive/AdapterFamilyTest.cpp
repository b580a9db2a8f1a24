// SPDX-License-Identifier: Apache-2.0
// Which adapters let a witness read the ninth bits, by USB id and by the kernel whose driver they have.
#include "receive/AdapterFamily.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace sus::test {
namespace {

TEST(AdapterFamily, NamesWhatEachDriverReportsAndSoWhatIsChecked)
{
    struct Case {
        std::optional<UsbId> id;
        const char* kernel;
        std::optional<LineStatus> status;
        std::string description;
    };
    const Case cases[] = {
        {UsbId{0x10C4, 0xEA60}, "6.1.0-28-amd64", LineStatus::PerCharacter,
         "USB 10C4:EA60 (CP210x): its driver reports each character's line status (Linux 5.9 and "
         "later), so the ninth bits are checked"},
        {UsbId{0x10C4, 0xEA60}, "5.4.0-150-generic", LineStatus::NoParity,
         "USB 10C4:EA60 (CP210x): its driver in Linux 5.4.0 reports no parity errors (5.9 and later "
         "report each character's), so the ninth bits are not checked, only the bytes"},
        {UsbId{0x10C4, 0xEA60}, "", LineStatus::PerCharacter, ""},
        {UsbId{0x0403, 0x6001}, "6.1.0", LineStatus::PerUsbPacket,
         "USB 0403:6001 (FTDI): its driver flags every character of a USB packet (up to 62) for one "
         "error in it, so the ninth bits are not checked, only the bytes"},
        {UsbId{0x067B, 0x2303}, "6.1.0", LineStatus::PerUsbPacket, ""},
        {UsbId{0x1A86, 0x7523}, "6.1.0", LineStatus::NoParity, ""},
        {UsbId{0x1234, 0x5678}, "6.1.0", std::nullopt,
         "USB 1234:5678 (a kind of adapter not known here): the ninth bits are checked unless the stream "
         "shows they cannot be"},
        {std::nullopt, "6.1.0", std::nullopt,
         "no USB id (a kind of adapter not known here): the ninth bits are checked unless the stream shows "
         "they cannot be"},
    };
    for (const Case& c : cases) {
        const AdapterFamily family = adapterFamilyOf(c.id, c.kernel);
        SCOPED_TRACE(adapterDescription(c.id, family));
        EXPECT_EQ(family.status, c.status);
        if (!c.description.empty()) {
            EXPECT_EQ(adapterDescription(c.id, family), c.description);
        }
    }
}

} // namespace
} // namespace sus::test
