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

} // namespace sus
