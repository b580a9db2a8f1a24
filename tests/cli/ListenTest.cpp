// SPDX-License-Identifier: Apache-2.0
// mvt listen as a witness: an update and DMX sent by mvt through the real backend over the model
// bridge, heard by a receiving UART on the same line, and the same streams with faults put on the line
// or in the recording.

#include "core/HexText.h"
#include "tests/bridge/ReceivingUart.h"
#include "tests/bridge/WireLog.h"
#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>

namespace sus::test {
namespace {

using Change = std::function<void(std::size_t, WireCharacter&)>;

// A port name of this test alone: Qt locks a port by its name, machine-wide, and tests run side by side.
const std::string kListenPort = "/dev/ttyUSB" + std::to_string(::getpid());

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

UpdateFileBuilder fileOfVersion(std::uint8_t version, std::uint8_t fill, const KeyBytes& key)
{
    return UpdateFileBuilder()
        .keyBytes(key)
        .newVersion(version, 0x01)
        .imageData(std::vector<std::uint8_t>(300, fill));
}

// What mvt put on the line through the model bridge, as its wire log.
struct SentOverTheBridge {
    TempDir dir;
    std::vector<WireWrite> wire;
    FixtureLog planned; // the same line as the virtual fixture hears it
    std::vector<std::filesystem::path> files;

    static QProcessEnvironment overTheBridge()
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(SUS_MODEL_BRIDGE_LIBRARY));
        environment.insert(QStringLiteral("SUS_MODEL_BRIDGE_PORT"), QString::fromStdString(kListenPort));
        return environment;
    }

    MvtResult send(const QStringList& arguments)
    {
        QProcessEnvironment environment = overTheBridge();
        environment.insert(QStringLiteral("SUS_MODEL_BRIDGE_LINE"), pathArgument(dir / "line.log"));
        MvtResult run =
            runMvt(QStringList(arguments) << QStringLiteral("--port") << QString::fromStdString(kListenPort),
                   environment);
        wire = bridge::readWireLog(fileText(dir / "line.log"));
        planned = heardFromWireLog(dir / "line.log");
        return run;
    }

    // `listen --port` on a second bridge whose receiver is on the line that was sent, with a driver
    // of the kind `receiver` names (PreloadSession.cpp; empty: per character).
    MvtResult listenOnAPort(const QStringList& arguments, const QString& receiver = {}) const
    {
        QProcessEnvironment environment = overTheBridge();
        environment.insert(QStringLiteral("SUS_MODEL_BRIDGE_HEAR"), pathArgument(dir / "line.log"));
        if (!receiver.isEmpty())
            environment.insert(QStringLiteral("SUS_MODEL_BRIDGE_RECEIVER"), receiver);
        return runMvt(QStringList{QStringLiteral("listen"), QStringLiteral("--port"),
                                  QString::fromStdString(kListenPort)}
                          << arguments,
                      environment);
    }

    // `listen --input` over what a receiving UART made of the line, with `change` put on it.
    MvtResult listen(const QStringList& arguments, const Change& change = {},
                     LineStatus receiver = LineStatus::PerCharacter) const
    {
        return listenTo(bridge::receivedStream(wire, {.status = receiver}, change), arguments);
    }

    MvtResult listenTo(const std::vector<std::uint8_t>& stream, const QStringList& arguments) const
    {
        const std::filesystem::path heard = dir / "heard.bin";
        std::ofstream(heard, std::ios::binary)
            .write(reinterpret_cast<const char*>(stream.data()), static_cast<std::streamsize>(stream.size()));
        return runMvt(QStringList{QStringLiteral("listen"), QStringLiteral("--input"), pathArgument(heard)}
                      << arguments);
    }

    // The index on the line of byte `at` of the n-th packet (from 0) of `type`.
    std::size_t characterOf(std::uint16_t type, std::size_t nth, std::size_t at) const
    {
        for (const WirePacket& packet : planned.packets) {
            if (packet.type == type && nth-- == 0)
                return packet.firstCharacter + at;
        }
        ADD_FAILURE() << "no such packet";
        return 0;
    }

    // The number by which the listener names that packet (from 1, in the order sent).
    std::size_t packetNumberOf(std::size_t character) const
    {
        std::size_t number = 0;
        for (const WirePacket& packet : planned.packets) {
            ++number;
            if (character >= packet.firstCharacter && character < packet.firstCharacter + packet.bytes.size())
                return number;
        }
        return 0;
    }
};

Change flipNinthBit(std::size_t at)
{
    return [at](std::size_t i, WireCharacter& c) { c.ninthBit = i == at ? !c.ninthBit : c.ninthBit; };
}

Change changeValue(std::size_t at)
{
    return [at](std::size_t i, WireCharacter& c) {
        c.value = static_cast<std::uint8_t>(c.value ^ (i == at ? 1 : 0));
    };
}

// The image bytes of the first file.
constexpr std::uint8_t kFirstFill = 0x5A;

class MvtListenToAnUpdate : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        sent = std::make_unique<SentOverTheBridge>();
        // Each file has a password of its own, given to send and to listen alike, one per file.
        const UpdateFileBuilder first = fileOfVersion(0x12, kFirstFill, {0x21, 0x43, 0x65, 0x87, 0xA9, 0xCB});
        const UpdateFileBuilder second = fileOfVersion(0x13, 0xA5, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC});
        ASSERT_NE(first.password(), second.password());
        sent->files = {first.writeTo(sent->dir / "first.MVT"), second.writeTo(sent->dir / "second.MVT")};
        passwords = {QStringLiteral("--password"), QString::fromStdString(first.password()),
                     QStringLiteral("--password"), QString::fromStdString(second.password())};
        const MvtResult run =
            sent->send(QStringList{QStringLiteral("send")} << passwords << pathArgument(sent->files[0])
                                                           << pathArgument(sent->files[1]));
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    static void TearDownTestSuite() { sent.reset(); }

    QStringList expectBoth() const
    {
        return QStringList{QStringLiteral("--expect")} << passwords << pathArgument(sent->files[0])
                                                       << pathArgument(sent->files[1]);
    }

    static std::unique_ptr<SentOverTheBridge> sent;
    static QStringList passwords;
};

std::unique_ptr<SentOverTheBridge> MvtListenToAnUpdate::sent;
QStringList MvtListenToAnUpdate::passwords;

TEST_F(MvtListenToAnUpdate, HearsTheTwoFilesExactlyAsSentAndWhatTheFixtureStores)
{
    const MvtResult heard = sent->listenOnAPort(expectBoth());
    ASSERT_EQ(heard.exitCode, 0) << heard.out << heard.err;
    EXPECT_TRUE(contains(heard.out, "41 wake-up frames, 2 file(s) received, the fixture was told to reset."))
        << heard.out;
    EXPECT_TRUE(
        contains(heard.out, "1. " + utf8Of(sent->files[0]) + ": 444 bytes, version 1.2.01, image intact\n"))
        << heard.out;
    EXPECT_TRUE(
        contains(heard.out, "2. " + utf8Of(sent->files[1]) + ": 444 bytes, version 1.3.01, image intact\n"))
        << heard.out;
    EXPECT_TRUE(contains(heard.out, "packet 1: StartOfFile, checksum right\n")) << heard.out;
    EXPECT_TRUE(contains(heard.out, "As expected.\n")) << heard.out;

    // Without the files, a fixture's own checks judge each image; what was read is kept as it came,
    // and what was heard as the writes that would send it again.
    const std::filesystem::path record = sent->dir / "record.bin";
    const std::filesystem::path capture = sent->dir / "heard.log";
    const MvtResult alone = sent->listen({QStringLiteral("--record"), pathArgument(record),
                                          QStringLiteral("--capture"), pathArgument(capture)});
    ASSERT_EQ(alone.exitCode, 0) << alone.err;
    EXPECT_TRUE(contains(alone.out, "1. heard 512 image bytes, version 1.2.01, image intact\n")) << alone.out;
    EXPECT_EQ(fileText(record), fileText(sent->dir / "heard.bin"));
    const FixtureLog again = heardFromWireLog(capture);
    ASSERT_EQ(again.packets.size(), sent->planned.packets.size());
    for (std::size_t i = 0; i < again.packets.size(); ++i)
        EXPECT_EQ(again.packets[i].bytes, sent->planned.packets[i].bytes) << i;
    EXPECT_EQ(again.wakeUpFrames().size(), 41u);
}

// Each kind of receiving driver, told apart by the stream alone as a recording is: what is
// checked, and the first difference named, with only what that driver lets through.
TEST_F(MvtListenToAnUpdate, ChecksWhatEachKindOfAdapterCanTellAndSaysWhatItCouldNot)
{
    const std::size_t inBlock = sent->characterOf(16, 1, 10);   // the second copy of file 1's first block
    const std::size_t secondStart = sent->characterOf(0, 1, 0); // file 2's StartOfFile
    const std::string blockName =
        "packet " + std::to_string(sent->packetNumberOf(inBlock)) + " (data block 16), byte 10";
    const std::string startName =
        "packet " + std::to_string(sent->packetNumberOf(secondStart)) + " (StartOfFile), byte 0";
    const std::string unseen = "; the ninth bits were not checked with this adapter.";
    const std::string perPacket = "The adapter marked 3 characters in a row";
    const std::string noParity = "The adapter marked nothing in 514 characters";
    struct Case {
        const char* name;
        LineStatus receiver;
        Change change;
        std::string switchLine; // empty: read per character throughout
        std::string verdict;
    };
    const Case cases[] = {
        {"per character, as sent", LineStatus::PerCharacter, {}, "", "As expected."},
        {"per character, a byte", LineStatus::PerCharacter, changeValue(inBlock), "",
         "NOT as expected: " + blockName + ": expected 0x5A, heard 0x5B."},
        {"per character, a data byte's ninth bit", LineStatus::PerCharacter, flipNinthBit(inBlock), "",
         "NOT as expected: " + blockName +
             ": expected 0x5A with its ninth bit 1, heard 0x5A with its ninth bit 0."},
        {"per character, a packet start's ninth bit", LineStatus::PerCharacter, flipNinthBit(secondStart), "",
         "NOT as expected: " + startName +
             ": expected 0x55 with its ninth bit 0, heard 0x55 with its ninth bit 1."},
        {"per USB packet, as sent",
         LineStatus::PerUsbPacket,
         {},
         perPacket,
         "As expected in every byte" + unseen},
        {"per USB packet, a byte", LineStatus::PerUsbPacket, changeValue(inBlock), perPacket,
         "NOT as expected: " + blockName + ": expected 0x5A, heard 0x5B" + unseen},
        {"per USB packet, a ninth bit", LineStatus::PerUsbPacket, flipNinthBit(inBlock), perPacket,
         "As expected in every byte" + unseen},
        {"no parity, as sent", LineStatus::NoParity, {}, noParity, "As expected in every byte" + unseen},
        {"no parity, a byte", LineStatus::NoParity, changeValue(inBlock), noParity,
         "NOT as expected: " + blockName + ": expected 0x5A, heard 0x5B" + unseen},
        {"no parity, a ninth bit", LineStatus::NoParity, flipNinthBit(inBlock), noParity,
         "As expected in every byte" + unseen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MvtResult heard = sent->listen(expectBoth(), c.change, c.receiver);
        const bool met = c.verdict.starts_with("As expected");
        EXPECT_EQ(heard.exitCode, met ? 0 : 1);
        EXPECT_TRUE(heard.out.ends_with(c.verdict + "\n")) << heard.out;
        EXPECT_EQ(contains(heard.out, "The adapter marked"), !c.switchLine.empty()) << heard.out;
        EXPECT_TRUE(c.switchLine.empty() || contains(heard.out, c.switchLine)) << heard.out;
        if (met) {
            EXPECT_TRUE(
                contains(heard.out, "41 wake-up frames, 2 file(s) received, the fixture was told to reset."))
                << heard.out;
            EXPECT_TRUE(contains(heard.out, ": 444 bytes, version 1.3.01, image intact\n")) << heard.out;
        }
    }

    // On a port the same: an adapter the port names no USB id for is judged by its stream.
    const MvtResult onAPort = sent->listenOnAPort(expectBoth(), QStringLiteral("per-usb-packet"));
    EXPECT_EQ(onAPort.exitCode, 0) << onAPort.err;
    EXPECT_TRUE(contains(onAPort.err, "no USB id (a kind of adapter not known here)")) << onAPort.err;
    EXPECT_TRUE(contains(onAPort.out, perPacket)) << onAPort.out;
    EXPECT_TRUE(onAPort.out.ends_with("As expected in every byte" + unseen + "\n")) << onAPort.out;
}

TEST_F(MvtListenToAnUpdate, ReportsFaultsInTheStreamAsWhatTheyAreNeverAsAnIntactImage)
{
    const std::vector<std::uint8_t> clean = bridge::receivedStream(sent->wire, {});
    const std::size_t blockChar = sent->characterOf(16, 0, 100);
    // Where that character is in the stream: every character before it is one byte, but for a
    // doubled 0xFF and the marked ones, and each break is three.
    std::size_t streamAt = 0;
    bridge::receivedStream(sent->wire, {}, [&](std::size_t i, WireCharacter& c) {
        if (i < blockChar)
            streamAt += !c.ninthBit ? 3 : c.value == 0xFF ? 2 : 1;
    });
    for (const WireFrame& frame : sent->planned.frames)
        streamAt += frame.firstCharacter < blockChar ? 3 : 0;
    const auto edited = [&](const std::function<void(std::vector<std::uint8_t>&)>& edit) {
        std::vector<std::uint8_t> stream = clean;
        edit(stream);
        return stream;
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> stream;
        std::string report;
    };
    const Case cases[] = {
        {"noise in a block",
         edited([&](auto& s) { std::fill_n(s.begin() + static_cast<std::ptrdiff_t>(streamAt), 40, 0x3C); }),
         "1. heard 512 image bytes, version 1.2.01, image NOT intact\n"},
        {"a character lost to an overrun",
         edited([&](auto& s) { s.erase(s.begin() + static_cast<std::ptrdiff_t>(streamAt)); }),
         "packet(s) arrived damaged"},
        {"a framing error",
         bridge::receivedStream(
             sent->wire, {},
             [&](std::size_t i, WireCharacter& c) { c.stopBitOk = c.stopBitOk && i != blockChar; }),
         "1. heard 512 image bytes, version 1.2.01, image NOT intact\n"},
        {"an escape no UART writes", edited([&](auto& s) {
             s.insert(s.begin() + static_cast<std::ptrdiff_t>(streamAt), {0xFF, 0x41});
         }),
         "1 escape(s) that no receiving UART writes"},
        {"cut inside a packet", edited([&](auto& s) { s.resize(streamAt); }),
         "1. heard 0 image bytes, version 1.2.01, cut off before its end\n"},
        {"ending inside an escape", edited([&](auto& s) {
             s.resize(streamAt);
             s.push_back(0xFF);
         }),
         "The stream ended inside an escape"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MvtResult heard = sent->listenTo(c.stream, {});
        EXPECT_EQ(heard.exitCode, 0) << heard.err;
        EXPECT_TRUE(contains(heard.out, c.report)) << heard.out;
        EXPECT_FALSE(contains(heard.out, "1. heard 512 image bytes, version 1.2.01, image intact"))
            << heard.out;
    }
}

TEST(MvtListenOnAPort, RefusesAPortThatCannotTellANinthBitOf0From1)
{
    // A pseudo-terminal takes the parity settings and drops them.
    PseudoTerminal terminal;
    ASSERT_FALSE(terminal.slaveName().empty());
    const MvtResult heard = runMvt(
        {QStringLiteral("listen"), QStringLiteral("--port"), QString::fromStdString(terminal.slaveName())});
    EXPECT_EQ(heard.exitCode, 5);
    EXPECT_TRUE(contains(heard.err, "cannot listen: the port does not keep mark parity checking"))
        << heard.err;
}

TEST(MvtListenToDmx, ChecksEveryFramesLevelsAndNamesTheFirstSlotChanged)
{
    SentOverTheBridge sent;
    const MvtResult run = sent.send({QStringLiteral("dmx"), QStringLiteral("--frames"), QStringLiteral("3"),
                                     QStringLiteral("--address"), QStringLiteral("10"),
                                     QStringLiteral("--set"), QStringLiteral("1=255,2=128")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QStringList expect = {QStringLiteral("--expect-levels"), QStringLiteral("1=255,2=128"),
                                QStringLiteral("--address"), QStringLiteral("10")};
    const std::size_t slot11 = sent.planned.frames.at(1).firstCharacter + 11;
    const std::string unseen = "; the ninth bits were not checked with this adapter.";
    struct Case {
        const char* name;
        Change change;
        int exitCode;
        std::string verdict;
        LineStatus receiver = LineStatus::PerCharacter;
    };
    const Case cases[] = {
        {"as sent", {}, 0, "As expected."},
        {"a level", changeValue(slot11), 1,
         "NOT as expected: DMX frame 2, slot 11: expected 0x80 with its ninth bit 1, heard 0x81 with its "
         "ninth bit 1."},
        {"a ninth bit", flipNinthBit(slot11), 1,
         "NOT as expected: DMX frame 2, slot 11: expected 0x80 with its ninth bit 1, heard 0x80 with its "
         "ninth bit 0."},
        // A frame's end and the next break share a USB packet: the break is found by the frame's length.
        {"per USB packet, as sent", {}, 0, "As expected in every byte" + unseen, LineStatus::PerUsbPacket},
        {"per USB packet, a level", changeValue(slot11), 1,
         "NOT as expected: DMX frame 2, slot 11: expected 0x80, heard 0x81" + unseen,
         LineStatus::PerUsbPacket},
        {"per USB packet, a ninth bit", flipNinthBit(slot11), 0, "As expected in every byte" + unseen,
         LineStatus::PerUsbPacket},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MvtResult heard = sent.listen(expect, c.change, c.receiver);
        EXPECT_EQ(heard.exitCode, c.exitCode) << heard.err;
        EXPECT_TRUE(heard.out.ends_with(c.verdict + "\n")) << heard.out;
    }
    EXPECT_TRUE(
        contains(sent.listen({}).out, "DMX frame 1: start code 0, 512 slots, changed 10=255 11=128\n"));
}

} // namespace
} // namespace sus::test
