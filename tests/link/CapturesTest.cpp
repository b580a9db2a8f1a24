// SPDX-License-Identifier: Apache-2.0
#include "sim/Captures.h"
#include "tests/link/LinkBench.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
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
        markedWrite(bytes);
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
    example.breakByte(BreakForm::MarkedWrite); // writes zero bytes in between
    std::ostringstream log;
    writeWireLog(log, example.devices.txLine().writes());
    EXPECT_EQ(log.str(), "10000 250000 space 55\n"
                         "54000 250000 mark 01\n"
                         "98000 64000 space 00\n");
}

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Saved under names in UTF-8, as mvt's arguments give them, and read back byte for byte: the lines
// end in \n alone, where a text-mode file would have written \r\n.
TEST(Captures, SavedFilesHoldExactlyWhatIsWrittenToAStream)
{
    WorkedExample example;
    const auto& writes = example.devices.txLine().writes();
    std::ostringstream vcd;
    writeVcd(vcd, renderWaveform(writes));
    std::ostringstream log;
    writeWireLog(log, writes);

    TempDir dir;
    const std::filesystem::path vcdPath = dir / u8"Aufnahme \u00fc \u2713.vcd";
    const std::filesystem::path logPath = dir / u8"Journal d\u00e9mo.log";
    ASSERT_TRUE(saveVcd(utf8Of(vcdPath), writes));
    ASSERT_TRUE(saveWireLog(utf8Of(logPath), writes));
    EXPECT_EQ(fileText(vcdPath), vcd.str());
    EXPECT_EQ(fileText(logPath), log.str());

    EXPECT_FALSE(saveWireLog(utf8Of(dir / "missing folder" / "x.log"), writes));
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
