// SPDX-License-Identifier: Apache-2.0
#include "sim/Captures.h"

#include "core/HexText.h"
#include "core/Utf8Path.h"

#include <fstream>

namespace sus {

namespace {

constexpr const char* kVcdWire = "!";

const char* parityName(Parity parity)
{
    switch (parity) {
    case Parity::Mark:
        return "mark";
    case Parity::Space:
        return "space";
    case Parity::Odd:
        return "odd";
    case Parity::Even:
        return "even";
    case Parity::None:
        break;
    }
    return "none";
}

template <typename Writer> bool saveTo(const std::string& utf8Path, Writer writer)
{
    // Binary: a line ends in \n alone on every platform, so a capture reads back as it was written.
    std::ofstream file(pathFromUtf8(utf8Path), std::ios::binary);
    if (!file)
        return false;
    writer(file);
    file.flush();
    return static_cast<bool>(file);
}

} // namespace

void writeVcd(std::ostream& out, const Waveform& wave)
{
    out << "$timescale 1 ns $end\n"
        << "$scope module controller $end\n"
        << "$var wire 1 " << kVcdWire << " tx $end\n"
        << "$upscope $end\n"
        << "$enddefinitions $end\n"
        << "#0\n1" << kVcdWire << "\n";
    // A time stamp is written once, so a start bit at #0 overrides the idle level there.
    std::int64_t stamped = 0;
    const auto& edges = wave.edges();
    for (std::size_t i = 0; i < edges.size(); ++i) {
        if (edges[i] != stamped)
            out << '#' << edges[i] << '\n';
        stamped = edges[i];
        out << (Waveform::levelAfterEdge(i) ? '1' : '0') << kVcdWire << '\n';
    }
    if (wave.endNs() > stamped)
        out << '#' << wave.endNs() << '\n';
}

void writeWireLog(std::ostream& out, const std::vector<WireWrite>& writes)
{
    for (const WireWrite& write : writes) {
        if (write.bytes.empty())
            continue;
        out << write.startNs << ' ' << write.line.baudRate << ' ' << parityName(write.line.parity) << ' ';
        for (const std::uint8_t byte : write.bytes)
            out << hexByte(byte);
        out << '\n';
    }
}

bool saveVcd(const std::string& path, const std::vector<WireWrite>& writes)
{
    return saveTo(path, [&](std::ostream& out) { writeVcd(out, renderWaveform(writes)); });
}

bool saveWireLog(const std::string& path, const std::vector<WireWrite>& writes)
{
    return saveTo(path, [&](std::ostream& out) { writeWireLog(out, writes); });
}

} // namespace sus
