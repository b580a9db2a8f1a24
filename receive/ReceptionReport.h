// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sus {

struct ReceivedFile;
struct UpdateReception;

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

private:
    std::vector<std::string> files_;
    std::vector<std::string> lines_;
    std::size_t added_ = 0;
};

// The report on `reception`, whose files were sent from `files` in order.
std::string describeReception(const UpdateReception& reception, const std::vector<std::string>& files);

} // namespace sus
