// SPDX-License-Identifier: Apache-2.0
// The stream a receiving UART's driver hands over with parity errors and breaks marked, read back
// into breaks and 9-bit characters, and written by the one marking rule.
#include "receive/MarkedStream.h"

#include "core/HexText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sus::test {
namespace {

// Breaks and characters as text: "B" a break, "55'" 0x55 with its ninth bit 0, "55" with it 1.
class EventText : public CharacterListener {
public:
    void onBreak(std::int64_t, std::int64_t) override { add("B"); }
    void onCharacter(const WireCharacter& c) override { add(hexByte(c.value) + (c.ninthBit ? "" : "'")); }
    std::string text;

private:
    void add(const std::string& event) { text += (text.empty() ? "" : " ") + event; }
};

// The events back as the marking rule writes them.
std::vector<std::uint8_t> marked(const std::string& events)
{
    std::vector<std::uint8_t> out;
    for (std::size_t at = 0; at < events.size();) {
        const std::size_t end = std::min(events.find(' ', at), events.size());
        const std::string event = events.substr(at, end - at);
        if (event == "B") {
            appendMarkedBreak(out);
        } else {
            WireCharacter c;
            c.value = static_cast<std::uint8_t>(std::stoul(event.substr(0, 2), nullptr, 16));
            c.ninthBit = event.size() == 2;
            appendMarked(out, c);
        }
        at = end + 1;
    }
    return out;
}

TEST(MarkedStream, ReadsBreaksAndNinthBitsAndCountsWhatNoUartWrites)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> stream;
        std::string events;
        std::size_t badEscapes = 0;
        bool endsInsideEscape = false;
    };
    const Case cases[] = {
        {"plain bytes", {0x00, 0x7F, 0x80}, "00 7F 80"},
        {"0xFF doubled", {0xFF, 0xFF, 0x01}, "FF 01"},
        {"a parity error", {0xFF, 0x00, 0x55, 0x00}, "55' 00"},
        {"0xFF with its ninth bit 0", {0xFF, 0x00, 0xFF}, "FF'"},
        {"a break", {0x00, 0xFF, 0x00, 0x00, 0x00}, "00 B 00"},
        // A wake-up frame: the break, then the marked zero that looks just like one.
        {"a break, then a zero marked", {0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00}, "B 00' 00"},
        {"a break after a character after a break",
         {0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00},
         "B 00' B"},
        {"an escape no UART writes", {0xFF, 0x41, 0x42}, "41 42", 1},
        {"ending after the escape", {0x01, 0xFF}, "01", 0, true},
        {"ending after the error mark", {0x01, 0xFF, 0x00}, "01", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Whole, and a byte at a time: an escape may be split between reads.
        for (const bool bytewise : {false, true}) {
            EventText events;
            PerCharacterReader reader(events);
            MarkedStreamDecoder decoder(reader);
            if (bytewise) {
                for (const std::uint8_t& byte : c.stream)
                    decoder.feed({&byte, 1}, 0);
            } else {
                decoder.feed(c.stream, 0);
            }
            decoder.finish();
            EXPECT_EQ(events.text, c.events);
            EXPECT_EQ(decoder.counts().badEscapes, c.badEscapes);
            EXPECT_EQ(decoder.counts().endedInsideEscape, c.endsInsideEscape);
        }
        if (c.badEscapes == 0 && !c.endsInsideEscape) {
            EXPECT_EQ(marked(c.events), c.stream) << "the marking rule writes the stream back";
        }
    }
}

TEST(MarkedStream, PlacesCharactersAtTheirReadTimesAtLeastACharacterApart)
{
    struct Times : CharacterListener {
        void onBreak(std::int64_t startNs, std::int64_t) override { starts.push_back(startNs); }
        void onCharacter(const WireCharacter& c) override { starts.push_back(c.startNs); }
        std::vector<std::int64_t> starts;
    } times;
    PerCharacterReader reader(times);
    MarkedStreamDecoder decoder(reader);
    decoder.feed(std::vector<std::uint8_t>{0x01, 0x02}, 1'000'000);
    decoder.feed(std::vector<std::uint8_t>{0x03}, 1'010'000);  // read before the last could have ended
    decoder.feed(std::vector<std::uint8_t>{0x04}, 60'000'000); // after a quiet line
    EXPECT_EQ(times.starts, (std::vector<std::int64_t>{1'000'000, 1'044'000, 1'088'000, 60'000'000}));
}

} // namespace
} // namespace sus::test
