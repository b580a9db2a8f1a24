// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QJsonObject>
#include <QJsonValue>

#include <string>

namespace sus::cli {

// The pieces mvt's JSON documents share, so that a field means the same in every one of them.

// {"name": "mvt", "version": "1.0.0", "commit": "874de79a1b2c" or null}
QJsonObject programJson();

// Now in UTC, ISO 8601 to the millisecond: "2026-12-11T17:45:32.120Z".
QString utcNow();

// A UTF-8 text as a JSON string; null when it is empty.
QJsonValue textOrNull(const std::string& text);

// What a file is on disk, as an update run reads it: "path", "size" (bytes), "sha256" (hex) and
// "version" (as its header announces it, "V1.2.05"); each null that cannot be read.
// `version`: empty when the file could not be read.
QJsonObject fileJson(const std::string& path, const std::string& version);

// Writes `document` to `path` ("-": standard output), indented, with a line feed after it. False,
// with the system's words in `error`, when it cannot be written.
bool writeJson(const QJsonObject& document, const std::string& path, std::string& error);

// Writes the service record `document` of `command` to `path` and returns the command's exit status:
// `status`, or 1 when an otherwise successful command could not write it (said on standard error).
int writeRecord(const QJsonObject& document, const std::string& path, const std::string& command, int status);

// Prints `document` on standard output.
void printJson(const QJsonObject& document);

} // namespace sus::cli
