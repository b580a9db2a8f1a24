// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace sus::cli {

// A command's parser with --help, its description followed by the command's exit statuses
// (cli/ExitCodes.h), and the one way every command reports arguments it cannot use:
// "mvt <command>: <what is wrong>" and a pointer to its help on the error stream, exit status 2.
class CommandParser {
public:
    CommandParser(const QString& command, const QString& description);

    QCommandLineParser& parser() { return parser_; }

    // Parses the arguments after the command's name. Returns the exit status when the command ends
    // here: its help was asked for (0) or the arguments are wrong (2).
    std::optional<int> parse(const QStringList& arguments);

    // Reports `message` as an argument error and returns 2.
    int usageError(const QString& message) const;

private:
    QString command_;
    QCommandLineParser parser_;
    QCommandLineOption help_;
};

} // namespace sus::cli
