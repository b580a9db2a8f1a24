// SPDX-License-Identifier: Apache-2.0
#include "tests/cli/MvtRun.h"
#include "tests/support/UpdateFileBuilder.h"

#include <QCoreApplication>

namespace sus::test {
namespace {

constexpr int kRunLimitMs = 120'000;

// QProcess wants an application object for its notifiers.
void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "cli_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

std::string bytesOf(const QByteArray& bytes)
{
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

QString pathArgument(const std::filesystem::path& path)
{
    return QString::fromStdString(utf8Of(path));
}

MvtResult runMvt(const QStringList& arguments, const QProcessEnvironment& environment)
{
    return runProgram(QStringLiteral(SUS_MVT_PATH), arguments, environment);
}

MvtResult runProgram(const QString& path, const QStringList& arguments,
                     const QProcessEnvironment& environment)
{
    MvtProcess process(arguments, environment, path);
    return process.finish();
}

MvtProcess::MvtProcess(const QStringList& arguments, const QProcessEnvironment& environment,
                       const QString& path)
{
    ensureApplication();
    QProcessEnvironment whole = QProcessEnvironment::systemEnvironment();
    whole.insert(environment);
    process_.setProcessEnvironment(whole);
    process_.start(path, arguments);
    process_.waitForStarted();
}

MvtProcess::~MvtProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

bool MvtProcess::waitForError(const std::string& text, std::chrono::milliseconds timeout)
{
    process_.setReadChannel(QProcess::StandardError);
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (err_.find(text) == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0 || process_.state() == QProcess::NotRunning)
            return false;
        process_.waitForReadyRead(static_cast<int>(left.count()));
        err_ += bytesOf(process_.readAllStandardError());
    }
    return true;
}

MvtResult MvtProcess::finish()
{
    MvtResult result;
    process_.waitForFinished(kRunLimitMs);
    result.crashed = process_.exitStatus() == QProcess::CrashExit || process_.state() != QProcess::NotRunning;
    result.exitCode = process_.exitCode();
    result.out = bytesOf(process_.readAllStandardOutput());
    result.err = err_ + bytesOf(process_.readAllStandardError());
    return result;
}

} // namespace sus::test
