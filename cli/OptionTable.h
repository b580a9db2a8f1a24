// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sus::cli {

// The options more than one command takes. Each is written once, so that an option means the same
// wherever it is given; where commands truly differ (whose port, what is saved), each puts its own
// few words into the shared help.
enum class SharedOption { Password, Port, Capture, Address, Simulate, Realtime, Verbose, Report, Json };

// `option` for a command's parser, with the command's `words` in its help: the files whose password it
// is, the device whose port, what is saved, where the address counts from, how the simulation runs.
// --realtime and --verbose take none.
QCommandLineOption sharedOption(SharedOption option, const QString& words = {});

// Adds `option` to `parser`, as sharedOption makes it.
void addSharedOption(QCommandLineParser& parser, SharedOption option, const QString& words = {});

// Whether `option` was given.
bool isSet(const QCommandLineParser& parser, SharedOption option);

// The --password values for `fileCount` files: none given (an empty list), one for every file, or one
// per file in the files' order. Anything else is refused, with the reason in `error`.
std::optional<std::vector<std::string>> readPasswords(const QCommandLineParser& parser, std::size_t fileCount,
                                                      QString& error);

// The --port name; empty when none was given. Nothing, with the reason in `error`, for an empty name.
std::optional<std::string> readPort(const QCommandLineParser& parser, QString& error);

// The --capture file, found writable now rather than after the run whose capture would then be lost;
// empty when none was given. Nothing, with the reason in `error`, when it cannot be written.
std::optional<std::string> readCapturePath(const QCommandLineParser& parser, QString& error);

// The --report file ("-": standard output), found writable now as the capture is; empty when none was
// given. Nothing, with the reason in `error`, when it cannot be written.
std::optional<std::string> readReportPath(const QCommandLineParser& parser, QString& error);

// The --address value as written (its default when not given); DmxLevels reads it with the levels.
QString addressText(const QCommandLineParser& parser);

} // namespace sus::cli
