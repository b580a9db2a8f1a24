// SPDX-License-Identifier: Apache-2.0
#include "cli/OptionTable.h"

#include "cli/WritableFile.h"
#include "dmx/ChannelLayout.h"

namespace sus::cli {

namespace {

struct OptionRow {
    SharedOption option;
    const char* name;
    const char* valueName; // none for a switch
    QString help;
    const char* defaultValue; // none without one
};

const OptionRow& rowOf(SharedOption option)
{
    // %1 is where a command's own words go: whose port, what is saved.
    static const OptionRow rows[] = {
        {SharedOption::Password, "password", "P",
         QStringLiteral(
             "The password of %1: six hexadecimal characters, digits and upper-case A to F, as the "
             "password box takes them. Give it once for every file, or once for each file in the "
             "files' order."),
         nullptr},
        {SharedOption::Port, "port", "NAME", QStringLiteral("The serial port of %1."), nullptr},
        {SharedOption::Capture, "capture", "OUT",
         QStringLiteral("Save %1: a VCD when OUT ends in .vcd, otherwise a text wire log (<t_ns> <baud> "
                        "<parity> <HEX> per write)."),
         nullptr},
        {SharedOption::Address, "address", "A",
         QStringLiteral("The fixture's start address, ") + QString::number(kMinAddress) +
             QStringLiteral(" to ") + QString::number(kMaxAddress) + QStringLiteral(" (default 1): %1."),
         "1"},
        {SharedOption::Simulate, "simulate", nullptr, QStringLiteral("Use the simulated controller %1."),
         nullptr},
        {SharedOption::Realtime, "realtime", nullptr,
         QStringLiteral("With --simulate, pace the run by the wall clock instead of virtual time."), nullptr},
        {SharedOption::Verbose, "verbose", nullptr,
         QStringLiteral("Say how the line runs: what its thread got of the processors and, for send, whether "
                        "the computer is kept awake."),
         nullptr},
        {SharedOption::Report, "report", "FILE",
         QStringLiteral("Write a service record of %1 to FILE as one JSON document (- for standard output); "
                        "the README lists its fields."),
         nullptr},
        {SharedOption::Json, "json", nullptr,
         QStringLiteral("Print %1 as one JSON document on standard output instead of lines."), nullptr},
    };
    for (const OptionRow& row : rows) {
        if (row.option == option)
            return row;
    }
    return rows[0]; // every option has its row
}

QString nameOf(SharedOption option)
{
    return QString::fromLatin1(rowOf(option).name);
}

} // namespace

QCommandLineOption sharedOption(SharedOption option, const QString& words)
{
    const OptionRow& row = rowOf(option);
    const QString help = row.help.contains(QStringLiteral("%1")) ? row.help.arg(words) : row.help;
    if (!row.valueName)
        return QCommandLineOption(nameOf(option), help);
    return QCommandLineOption(nameOf(option), help, QString::fromLatin1(row.valueName),
                              row.defaultValue ? QString::fromLatin1(row.defaultValue) : QString());
}

void addSharedOption(QCommandLineParser& parser, SharedOption option, const QString& words)
{
    parser.addOption(sharedOption(option, words));
}

bool isSet(const QCommandLineParser& parser, SharedOption option)
{
    return parser.isSet(nameOf(option));
}

std::optional<std::vector<std::string>> readPasswords(const QCommandLineParser& parser, std::size_t fileCount,
                                                      QString& error)
{
    const QStringList values = parser.values(nameOf(SharedOption::Password));
    const auto given = static_cast<std::size_t>(values.size());
    if (given == 0)
        return std::vector<std::string>{};
    if (given != 1 && given != fileCount) {
        error =
            QStringLiteral("Give --password once for every file, or once for each file in the files' order "
                           "(%1 file(s), %2 password(s)).")
                .arg(fileCount)
                .arg(given);
        return std::nullopt;
    }
    std::vector<std::string> passwords;
    for (std::size_t index = 0; index < fileCount; ++index)
        passwords.push_back(values[given == 1 ? 0 : static_cast<qsizetype>(index)].toStdString());
    return passwords;
}

std::optional<std::string> readPort(const QCommandLineParser& parser, QString& error)
{
    std::string port = parser.value(nameOf(SharedOption::Port)).toStdString();
    if (isSet(parser, SharedOption::Port) && port.empty()) {
        error = QStringLiteral("--port needs the name of a serial port.");
        return std::nullopt;
    }
    return port;
}

namespace {

// The file `option` names, found writable now rather than after the run whose output would be lost;
// `what` names it in the refusal. "-" is standard output when `dashIsOutput`.
std::optional<std::string> readOutputPath(const QCommandLineParser& parser, SharedOption option,
                                          const QString& what, bool dashIsOutput, QString& error)
{
    if (!isSet(parser, option))
        return std::string();
    const std::string path = parser.value(nameOf(option)).toStdString();
    if (dashIsOutput && path == "-")
        return path;
    if (const std::string why = whyNotWritable(path); !why.empty()) {
        error =
            QStringLiteral("The %1 cannot be written to \"%2\": %3. Name a file in a folder that exists and "
                           "may be written.")
                .arg(what, QString::fromStdString(path), QString::fromStdString(why));
        return std::nullopt;
    }
    return path;
}

} // namespace

std::optional<std::string> readCapturePath(const QCommandLineParser& parser, QString& error)
{
    return readOutputPath(parser, SharedOption::Capture, QStringLiteral("capture"), false, error);
}

std::optional<std::string> readReportPath(const QCommandLineParser& parser, QString& error)
{
    return readOutputPath(parser, SharedOption::Report, QStringLiteral("service record"), true, error);
}

QString addressText(const QCommandLineParser& parser)
{
    return parser.value(nameOf(SharedOption::Address));
}

} // namespace sus::cli
