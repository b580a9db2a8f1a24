// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCommandLineParser>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace sus::cli {

// The update files of `check` and `send` (FILE...) and their --password options.
class UpdateFileArguments {
public:
    // Adds --password and the files to `parser`.
    explicit UpdateFileArguments(QCommandLineParser& parser);

    struct Files {
        std::vector<std::string> paths;
        std::vector<std::string> passwords; // one per file; none when no --password was given
    };
    // After parsing; nothing, with the reason in `error`, without a file or with passwords that do
    // not go with the files.
    std::optional<Files> read(QString& error) const;

private:
    QCommandLineParser& parser_;
};

// Every file read as an update run reads it, each with its password when there are passwords.
struct FilesCheck {
    std::vector<std::string>
        lines; // one per file: its name, version, size and verdict, or why it cannot be sent
    std::vector<std::size_t> problems; // the files that would stop a run, by their index
    int exitStatus = 0;                // what `send` would exit with for the first of them; 0 when none
};
FilesCheck checkFiles(const std::vector<std::string>& files, const std::vector<std::string>& passwords);

} // namespace sus::cli
