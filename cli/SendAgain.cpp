// SPDX-License-Identifier: Apache-2.0
#include "cli/SendAgain.h"

#include <QHash>

#include <algorithm>
#include <cctype>

namespace sus::cli {
namespace {

// "…", spelled as its UTF-8 bytes: mvt writes its messages as bytes, whatever the source is read as.
constexpr const char* kPasswordPlaceholder = "\xE2\x80\xA6";

std::string shellQuoted(const std::string& argument)
{
    const bool plain = !argument.empty() && std::ranges::all_of(argument, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || std::isalnum(byte) ||
               std::string_view("_@%+=:,./-").find(c) != std::string_view::npos;
    });
    if (plain)
        return argument;
    std::string quoted = "'";
    for (const char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

std::string sendAgainCommand(const QCommandLineParser& parser, const std::vector<std::string>& files,
                             std::size_t from)
{
    const QString password = QStringLiteral("password");
    const bool passwordPerFile = parser.values(password).size() > 1;
    std::string command = "mvt send";
    QHash<QString, qsizetype> occurrences;
    for (const QString& name : parser.optionNames()) {
        const qsizetype occurrence = occurrences[name]++;
        if (name == password) {
            if (!passwordPerFile || static_cast<std::size_t>(occurrence) >= from)
                command += std::string(" --password ") + kPasswordPlaceholder;
            continue;
        }
        command += (name.size() == 1 ? " -" : " --") + name.toStdString();
        // A switch has no values; an option with one has one per time it was given.
        const QStringList values = parser.values(name);
        if (occurrence < values.size())
            command += ' ' + shellQuoted(values[occurrence].toStdString());
    }
    // A file whose name starts with a dash is not to be read as an option.
    if (std::any_of(files.begin() + static_cast<std::ptrdiff_t>(std::min(from, files.size())), files.end(),
                    [](const std::string& file) { return file.starts_with('-'); }))
        command += " --";
    for (std::size_t index = from; index < files.size(); ++index)
        command += ' ' + shellQuoted(files[index]);
    return command;
}

} // namespace sus::cli
