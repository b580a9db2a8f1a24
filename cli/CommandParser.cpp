// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandParser.h"

#include "cli/ExitCodes.h"
#include "cli/NearestName.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <iostream>

namespace sus::cli {
namespace {

// The long options `help` lists: Qt keeps its options to itself, and its help names every one.
QStringList longOptionsOf(const QString& help)
{
    static const QRegularExpression option(QStringLiteral("^  (?:-[a-zA-Z], )?--([a-z][a-z-]*)"),
                                           QRegularExpression::MultilineOption);
    QStringList names;
    for (const QRegularExpressionMatch& found : option.globalMatch(help))
        names.append(found.captured(1));
    return names;
}

} // namespace

CommandParser::CommandParser(const QString& command, const QString& description)
    : command_(command),
      help_({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."))
{
    parser_.setApplicationDescription(description + QLatin1Char('\n') +
                                      QString::fromStdString(exitStatusSentence(command.toStdString())));
    parser_.addOption(help_);
}

std::optional<int> CommandParser::parse(const QStringList& arguments)
{
    if (!parser_.parse(QStringList{QStringLiteral("mvt ") + command_} + arguments)) {
        QString error = parser_.errorText();
        const QStringList unknown = parser_.unknownOptionNames();
        const QString meant =
            unknown.isEmpty() ? QString() : nearestName(unknown.front(), longOptionsOf(parser_.helpText()));
        if (!meant.isEmpty())
            error += QStringLiteral(" Did you mean --%1?").arg(meant);
        return usageError(error);
    }
    if (parser_.isSet(help_)) {
        // Qt names the program as it was started; the usage line names the command instead.
        QString help = parser_.helpText();
        const QString usage = QStringLiteral("Usage: ") + QCoreApplication::arguments().value(0);
        if (help.startsWith(usage))
            help.replace(0, usage.size(), QStringLiteral("Usage: mvt ") + command_);
        std::cout << help.toStdString() << std::flush;
        return exit_code::kSuccess;
    }
    return std::nullopt;
}

int CommandParser::usageError(const QString& message) const
{
    std::cerr << "mvt " << command_.toStdString() << ": " << message.toStdString() << "\nTry 'mvt "
              << command_.toStdString() << " --help'.\n";
    return exit_code::kUsage;
}

} // namespace sus::cli
