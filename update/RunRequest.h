// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <vector>

namespace sus {

class UpdatePageView;

// What an update run takes from the "Update" page as it starts, so that nothing of the page is read
// again while it goes on: the queue, the password box, and where to begin.
struct RunRequest {
    std::vector<std::string> files; // ListBox1's entries, UTF-8 paths
    std::string password;           // Edit1
    int selectedIndex = -1;         // ListBox1's selection, -1 when none
    // A password for each file in `files`, when the caller has them apart (the window has one box).
    std::vector<std::string> filePasswords;

    // The password to check file `index` with.
    const std::string& passwordFor(std::size_t index) const;

    static RunRequest fromPage(const UpdatePageView& view);
};

} // namespace sus
