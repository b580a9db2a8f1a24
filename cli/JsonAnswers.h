// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/FileChecks.h"
#include "cli/PortList.h"
#include "update/UpdateFileReader.h"

#include <QJsonObject>

#include <string>
#include <vector>

namespace sus::cli {

// The answers of `info`, `check` and `ports` as one JSON document each (--json), in the form of
// cli/answers.schema.json.

// The information panel's fields of the file at `path`, or why it cannot be shown.
QJsonObject infoJson(const std::string& path, const UpdateImageLoad& load);

// Each file's verdict, as `check` found it, and the exit status `send` would give.
QJsonObject checkJson(const std::vector<std::string>& paths, const std::vector<std::string>& passwords,
                      const FilesCheck& check);

// The attached devices and the controller among them.
QJsonObject portsJson(const std::vector<PortEntry>& ports, const std::string& controllerIdentity);

} // namespace sus::cli
