// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/FixtureLog.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace sus {

class UpdateImage;

// One file as a fixture received it: from its StartOfFile to its EndOfFile.
struct ReceivedFile {
    std::size_t identifyPackets = 0;
    std::vector<std::array<std::uint8_t, 32>> headerCopies; // the first few; more are only counted
    std::size_t headerPackets = 0;
    std::vector<std::uint16_t> blockTypes; // every data block in arrival order, copies included
    std::vector<std::uint8_t> image;       // the payloads of the distinct blocks, in order
    std::size_t imageSize = 0;             // the image's size, also once its bytes are let go
    bool blocksInOrder = true;             // 16, 16, 17, 17, ...: each block twice, numbers rising by one
    bool copiesAgree = true;               // each block's second copy equals its first
    bool ended = false;                    // its EndOfFile arrived
    std::size_t damagedPackets = 0;        // packets that arrived damaged while it was being received

    // The version and revision the header block announces.
    std::uint8_t newVersion() const;
    std::uint8_t newRevision() const;

    // Whether everything a fixture checks came right: the header, each block twice in order with
    // equal copies, and the EndOfFile, with no packet damaged in between (whatever it was, the file
    // cannot be vouched for).
    bool arrivedWhole() const;

    // Whether the image data of `file` (descrambled with `key`) arrived whole and exact, followed
    // only by the zero padding of the last block.
    bool matches(const UpdateImage& file, std::uint8_t key) const;
};

// What an update run delivered to a fixture, read off the packets a receiver decoded.
struct UpdateReception {
    std::size_t wakeUpFrames = 0;
    std::size_t filesStarted = 0;    // StartOfFile packets
    std::vector<ReceivedFile> files; // all of them, unless a receiver handed them over as they ended
    bool finished = false;           // FinishUpdate arrived: the fixture resets
    bool aborted = false;            // AbortUpdate arrived
    std::size_t badPackets = 0;      // incomplete or with a wrong checksum
    std::size_t outOfPlace = 0;      // packets that belong to no file (e.g. a block before StartOfFile)

    static UpdateReception from(const FixtureLog& log);
};

// Builds an UpdateReception packet by packet, as they are heard. With `fileDone`, each file is
// handed over once nothing more can arrive for it and then forgotten, so that a long listen keeps
// one file at a time.
class UpdateReceiver : public LineListener {
public:
    using FileDone = std::function<void(ReceivedFile& file, std::size_t index)>;
    explicit UpdateReceiver(FileDone fileDone = {}) : fileDone_(std::move(fileDone)) {}

    void onFrame(const WireFrame& frame) override;
    void onPacket(const WirePacket& packet) override;
    // A character in no packet belongs to no file.
    void onStray(const WireCharacter&) override {}
    // Nothing more will arrive.
    void finish() { closeFile(); }

    const UpdateReception& reception() const { return reception_; }

private:
    void onDataBlock(const WirePacket& packet);
    void closeFile();

    FileDone fileDone_;
    UpdateReception reception_;
    bool fileOpen_ = false;
};

} // namespace sus
