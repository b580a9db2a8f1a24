#pragma once

#include "sim/VirtualFixture.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sus {

class UpdateImage;

// One file as a fixture received it: from its StartOfFile to its EndOfFile.
struct ReceivedFile {
    std::size_t identifyPackets = 0;
    std::vector<std::array<std::uint8_t, 32>> headerCopies;
    std::vector<std::uint16_t> blockTypes; // every data block in arrival order, copies included
    std::vector<std::uint8_t> image;       // the payloads of the distinct blocks, in order
    bool blocksInOrder = true;             // 16, 16, 17, 17, ...: each block twice, numbers rising by one
    bool ended = false;                    // its EndOfFile arrived

    // The version the header block announces (file byte 132).
    std::uint8_t newVersion() const;

    // Whether the image data of `file` (descrambled with `key`) arrived whole and exact, followed
    // only by the zero padding of the last block.
    bool matches(const UpdateImage& file, std::uint8_t key) const;
};

// What an update run delivered to a fixture, read off the packets the virtual fixture decoded.
struct UpdateReception {
    std::size_t wakeUpFrames = 0;
    std::vector<ReceivedFile> files;
    bool finished = false;      // FinishUpdate arrived: the fixture resets
    bool aborted = false;       // AbortUpdate arrived
    std::size_t badPackets = 0; // incomplete or with a wrong checksum
    std::size_t outOfPlace = 0; // packets that belong to no file (e.g. a block before StartOfFile)

    static UpdateReception from(const FixtureLog& log);
};

} // namespace sus
