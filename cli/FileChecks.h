// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace sus::cli {

// The --password values for `fileCount` files: none given (nothing), one for every file, or one per
// file in the files' order. Anything else is refused, with the reason in `error`.
std::optional<std::vector<std::string>> readFilePasswords(const QStringList& values, std::size_t fileCount,
                                                          QString& error);

// Every file read as an update run reads it, each with its password when there are passwords.
struct FilesCheck {
    std::vector<std::string>
        lines; // one per file: its name, version, size and verdict, or why it cannot be sent
    std::vector<std::size_t> problems; // the files that would stop a run, by their index
    int exitStatus = 0;                // what `send` would exit with for the first of them; 0 when none
};
FilesCheck checkFiles(const std::vector<std::string>& files, const std::vector<std::string>& passwords);

// The help of --password, for `check` and `send` alike.
QString passwordOptionHelp();

} // namespace sus::cli
