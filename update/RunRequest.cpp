// SPDX-License-Identifier: Apache-2.0
#include "update/RunRequest.h"

#include "update/UpdatePageView.h"

namespace sus {

RunRequest RunRequest::fromPage(const UpdatePageView& view)
{
    RunRequest request;
    for (int index = 0; index < view.fileCount(); ++index)
        request.files.push_back(view.fileAt(index));
    request.password = view.passwordText();
    request.selectedIndex = view.selectedIndex();
    return request;
}

const std::string& RunRequest::passwordFor(std::size_t index) const
{
    return index < filePasswords.size() ? filePasswords[index] : password;
}

} // namespace sus
