#include "update/UpdateMessages.h"

namespace sus {

std::string fileFailureText(std::string_view message, const std::string& utf8Path, const std::string& reason)
{
    std::string text(message);
    if (!utf8Path.empty())
        text += "\n" + utf8Path;
    if (!reason.empty())
        text += "\n" + reason;
    return text;
}

} // namespace sus
