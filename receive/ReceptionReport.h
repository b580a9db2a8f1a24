// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sus {

struct ReceivedFile;
struct UpdateReception;

// One file as a fixture received it, judged against the file in its place in the queue where there
// is one.
struct HeardFile {
    enum class Result : std::uint8_t {
        Intact,     // a fixture's own checks all pass and, against a file, the image is the file's
        NotIntact,  // it ended, but not so
        CutOff,     // it ended before its EndOfFile
        Unreadable, // the file in its place cannot be read to compare with (`reason` says why)
        NotInQueue, // more files arrived than the queue holds
    };
    std::string path;             // the file in its place; empty: none
    std::uint64_t imageBytes = 0; // the image bytes heard
    std::uint64_t fileSize = 0;   // the file's size on disk, when there is one to compare with
    std::string version;          // "1.2.05", as its header block announces it; empty: none arrived
    Result result = Result::CutOff;
    std::string reason;
};

// What a fixture received of an update run, file by file (size, version, whether the image arrived
// intact), as the demo program and mvt print it.
class ReceptionReport {
public:
    // `files`: the files that were sent, in order (UTF-8 paths); each received file is compared with
    // the one in its place as it is on disk. None: a file is judged by what a fixture checks alone.
    explicit ReceptionReport(std::vector<std::string> files);

    // A file has been received as far as it will be, in the order of arrival.
    void add(const ReceivedFile& file);

    std::string text(const UpdateReception& reception) const;

    // The files listed, in the order of arrival (beyond a thousand files are only counted).
    const std::vector<HeardFile>& files() const { return heard_; }

private:
    std::vector<std::string> files_;
    std::vector<HeardFile> heard_;
    std::size_t added_ = 0;
};

// The report on `reception`, whose files were sent from `files` in order.
std::string describeReception(const UpdateReception& reception, const std::vector<std::string>& files);

} // namespace sus
