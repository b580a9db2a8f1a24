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

    static RunRequest fromPage(const UpdatePageView& view);
};

} // namespace sus
