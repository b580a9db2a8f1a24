// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sus {

class UpdatePageView;

// What an update run takes from the "Update" page as it starts, so that nothing of the page is read
// again while it goes on: the queue, the password, and where to begin.
struct RunRequest {
    std::vector<std::string> files; // ListBox1's entries, UTF-8 paths
    // One password for every file (Edit1), or one per file in the queue's order.
    std::vector<std::string> passwords;
    int selectedIndex = -1; // ListBox1's selection, -1 when none

    // A run covers the selected file and the files after it; with none selected, the first.
    std::size_t firstFile() const { return selectedIndex < 0 ? 0 : static_cast<std::size_t>(selectedIndex); }
    std::vector<std::string> filesOfRun() const;

    // The password to check file `index` with.
    const std::string& passwordFor(std::size_t index) const;
    // Start refuses a run without one: "Enter the Password Please!".
    bool passwordGiven() const;

    static RunRequest fromPage(const UpdatePageView& view);
};

} // namespace sus
