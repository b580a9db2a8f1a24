// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QProcess>
#include <QStringList>

#include <chrono>
#include <filesystem>
#include <string>

namespace sus::test {

// What a finished run of the built mvt gave.
struct MvtResult {
    int exitCode = -1;
    bool crashed = false;
    std::string out; // standard output, as bytes
    std::string err; // standard error, as bytes
};

// A path as mvt's argument: its UTF-8 bytes, as a terminal passes them.
QString pathArgument(const std::filesystem::path& path);

// Runs the built mvt with `arguments`, and `environment` added to this process's, and waits for
// it to end.
MvtResult runMvt(const QStringList& arguments, const QProcessEnvironment& environment = {});

// The same for another built program, at `path`.
MvtResult runProgram(const QString& path, const QStringList& arguments,
                     const QProcessEnvironment& environment = {});

// mvt running in the background, for what a test does while it runs (Ctrl+C, a pty to read).
class MvtProcess {
public:
    explicit MvtProcess(const QStringList& arguments, const QProcessEnvironment& environment = {},
                        const QString& path = QStringLiteral(SUS_MVT_PATH));
    ~MvtProcess();
    MvtProcess(const MvtProcess&) = delete;
    MvtProcess& operator=(const MvtProcess&) = delete;

    // Waits until standard error holds `text`; false when it did not come within `timeout`.
    bool waitForError(const std::string& text, std::chrono::milliseconds timeout);
    qint64 processId() const { return process_.processId(); }
    MvtResult finish();

private:
    QProcess process_;
    std::string err_;
};

} // namespace sus::test
