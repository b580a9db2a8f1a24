// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/RunEnding.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sus {

// What has gone out on the line in a run so far.
struct RunSent {
    unsigned wakeUpFrames = 0;
    unsigned packets = 0;    // every packet, second sendings included
    unsigned filesWhole = 0; // files whose EndOfFile went out
    bool finishUpdate = false;
    bool abortUpdate = false;
};

// Where an update run stands, as the run itself knows it after each tick: what the window's page,
// mvt's progress line and summaries, and the demo's report all read.
struct RunProgress {
    enum class Phase : std::uint8_t {
        Waking,    // the wake-up frames
        Handshake, // the identification rounds of the run's first file
        Pause,     // a long pause: after the handshake, or between the header's two copies
        File,      // StartOfFile, the header block and the data blocks of the file in hand
        EndOfFile, // the file's EndOfFile is out; the next file, or the finish, follows
        Finishing, // every file is out: the finish message, then FinishUpdate
        Stopping,  // AbortUpdate at the next tick
        Closing,   // the run's last packet is out: the link closes at the next tick
        Ended,     // the link is closed
    };

    Phase phase = Phase::Waking;
    unsigned wakeUpFramesTotal = 0;

    // The file in hand: its place in the queue (ListBox1's row, -1 before the first), its path, and
    // which of the run's files it is (1 for the first file of the run).
    int fileIndex = -1;
    std::string filePath;
    unsigned fileNumber = 0;
    unsigned filesInRun = 0;
    // Of the file in hand: its size, how far into it the run has sent (ImagePos, at most the size;
    // kept when a Stop puts the position back), and what ProgressBar1 shows (0 to 100).
    std::uint64_t fileSize = 0;
    std::uint64_t fileSent = 0;
    int percent = 0;
    // The file's data blocks still to send, at their pace, in milliseconds.
    std::int64_t fileMsLeft = 0;

    RunSent sent;

    // How the run ends, once it is decided (the run may still send its last packet); and the
    // outcome, once the link has closed.
    std::optional<RunEnding> ending;
    RunOutcome outcome = RunOutcome::None;
};

} // namespace sus
