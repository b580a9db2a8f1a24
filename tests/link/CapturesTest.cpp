#include "sim/Captures.h"
#include "tests/link/LinkBench.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>

namespace sus::test {
namespace {

// A marked write of 0x55 0x01, 10 us after the link opened.
struct WorkedExample : LinkBench {
    WorkedExample()
    {
        openController();
        clock.advanceBy(10'000);
        const std::array<std::uint8_t, 2> bytes{0x55, 0x01};
        link.MarkedWrite(bytes.data(), bytes.size());
    }
};

TEST(Captures, VcdOfAWorkedExample)
{
    WorkedExample example;
    std::ostringstream vcd;
    writeVcd(vcd, renderWaveform(example.devices.txLine().writes()));
    EXPECT_EQ(vcd.str(), "$timescale 1 ns $end\n"
                         "$scope module controller $end\n"
                         "$var wire 1 ! tx $end\n"
                         "$upscope $end\n"
                         "$enddefinitions $end\n"
                         "#0\n1!\n"
                         // 0x55, space parity: start 0, 1 0 1 0 1 0 1 0, parity 0, stop 1
                         "#10000\n0!\n#14000\n1!\n#18000\n0!\n#22000\n1!\n#26000\n0!\n"
                         "#30000\n1!\n#34000\n0!\n#38000\n1!\n#42000\n0!\n#50000\n1!\n"
                         // 0x01, mark parity: start 0, 1, seven 0, parity 1, stop 1
                         "#54000\n0!\n#58000\n1!\n#62000\n0!\n#90000\n1!\n"
                         "#98000\n");
}

TEST(Captures, WireLogOfAWorkedExampleSkipsEmptyWrites)
{
    WorkedExample example;
    const std::uint8_t zero = 0;
    example.link.BreakByte(Link::BreakForm::MarkedWrite, zero); // writes zero bytes in between
    std::ostringstream log;
    writeWireLog(log, example.devices.txLine().writes());
    EXPECT_EQ(log.str(), "10000 250000 space 55\n"
                         "54000 250000 mark 01\n"
                         "98000 64000 space 00\n");
}

TEST(Captures, VcdStartBitAtTimeZeroOverridesTheIdleLevel)
{
    Waveform wave;
    wave.hold(false, 4000);
    wave.hold(true, 4000);
    std::ostringstream vcd;
    writeVcd(vcd, wave);
    EXPECT_TRUE(vcd.str().ends_with("$enddefinitions $end\n#0\n1!\n0!\n#4000\n1!\n#8000\n")) << vcd.str();
}

} // namespace
} // namespace sus::test
