#include "update/RunRequest.h"

#include "update/UpdatePageView.h"

#include <algorithm>

namespace sus {

RunRequest RunRequest::fromPage(const UpdatePageView& view)
{
    RunRequest request;
    for (int index = 0; index < view.fileCount(); ++index)
        request.files.push_back(view.fileAt(index));
    request.password = view.passwordText();
    const int selected = view.selectedIndex();
    request.firstIndex = std::max(0, selected);
    request.selectFirst = selected < 0 && !request.files.empty();
    return request;
}

} // namespace sus
