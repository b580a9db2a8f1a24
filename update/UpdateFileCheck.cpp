// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateFileCheck.h"

#include "update/FileInformation.h"
#include "update/UpdateFileLook.h"
#include "update/UpdateFileReader.h"
#include "update/UpdateKey.h"

namespace sus {

UpdateFileCheck checkUpdateFile(const std::string& utf8Path, const std::optional<std::string>& password)
{
    UpdateFileCheck check;
    const UpdateImageLoad load = LoadSendableUpdateImage(utf8Path);
    if (!load) {
        check.reason = load.failureReason;
        return check;
    }
    check.version = newVersionText(*load.image);
    check.size = static_cast<std::uint64_t>(load.image->size());
    check.reason = unlikeAnUpdateFile(utf8Path, *load.image);
    if (!check.reason.empty())
        check.verdict = UpdateFileCheck::Verdict::UnlikeAnUpdateFile;
    else if (!password)
        check.verdict = UpdateFileCheck::Verdict::NoPasswordGiven;
    else if (passwordMatches(load.image->keyBytes(), *password))
        check.verdict = UpdateFileCheck::Verdict::PasswordRight;
    else
        check.verdict = UpdateFileCheck::Verdict::PasswordWrong;
    return check;
}

} // namespace sus
