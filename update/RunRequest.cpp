// SPDX-License-Identifier: Apache-2.0
#include "update/RunRequest.h"

#include "update/UpdatePageView.h"

#include <algorithm>

namespace sus {

RunRequest RunRequest::fromPage(const UpdatePageView& view)
{
    RunRequest request;
    for (int index = 0; index < view.fileCount(); ++index)
        request.files.push_back(view.fileAt(index));
    request.passwords = {view.passwordText()};
    request.selectedIndex = view.selectedIndex();
    return request;
}

std::vector<std::string> RunRequest::filesOfRun() const
{
    const auto first = files.begin() + static_cast<std::ptrdiff_t>(std::min(firstFile(), files.size()));
    return {first, files.end()};
}

const std::string& RunRequest::passwordFor(std::size_t index) const
{
    static const std::string none;
    if (passwords.size() == 1)
        return passwords.front();
    return index < passwords.size() ? passwords[index] : none;
}

bool RunRequest::passwordGiven() const
{
    return !passwords.empty() &&
           std::ranges::none_of(passwords, [](const std::string& p) { return p.empty(); });
}

} // namespace sus
