// SPDX-License-Identifier: Apache-2.0
// The manual page of mvt is written by hand; these tests hold it to what the program's help says: the
// same commands, each with the same options and exit statuses, and the statuses to mvt's own table.
#include "cli/ExitCodes.h"
#include "tests/cli/MvtRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace sus::test {
namespace {

using Names = std::set<std::string>;

std::string help(const QStringList& arguments)
{
    const MvtResult run = runMvt(arguments + QStringList{QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0) << arguments.join(' ').toStdString();
    return run.out;
}

// The entries of a help section ("Options:", "Commands:"): its lines indented by two blanks, up to the
// next blank line; `entry` picks the names out of one such line.
Names helpEntries(const std::string& text, const std::string& heading, const std::regex& entry)
{
    Names names;
    std::istringstream lines(text.substr(text.find(heading + "\n") + heading.size() + 1));
    for (std::string line; std::getline(lines, line) && !line.empty();) {
        if (line.rfind("  ", 0) != 0 || line[2] == ' ')
            continue; // a description carried over to the next line
        const std::string head = line.substr(0, line.find("  ", 2));
        for (auto it = std::sregex_iterator(head.begin(), head.end(), entry); it != std::sregex_iterator();
             ++it)
            names.insert((*it)[1]);
    }
    return names;
}

Names helpOptions(const std::string& text)
{
    return helpEntries(text, "Options:", std::regex(R"((--?[a-z]+(?:-[a-z]+)*))"));
}

// A text's sentence "Exit status: 0 ...; 2 ...; 5 ....", its line breaks read as blanks.
std::string exitStatusSentence(const std::string& text)
{
    const std::size_t start = text.find("Exit status:");
    if (start == std::string::npos)
        return {};
    return std::regex_replace(text.substr(start, text.find(".\n", start) + 1 - start), std::regex(R"(\s+)"),
                              " ");
}

// The manual page as sections ("OPTIONS", "mvt info", ...) of plain text: fonts dropped, "\-" read as
// "-". A command's section is its subsection ".SS "mvt info FILE"".
std::map<std::string, std::string> manSections()
{
    std::ifstream file(SUS_MVT_MAN_PAGE);
    EXPECT_TRUE(file) << SUS_MVT_MAN_PAGE;
    std::map<std::string, std::string> sections;
    std::string* current = nullptr;
    const std::regex heading(R"re(^\.S[HS] "?([A-Z ]+|mvt [a-z]+))re");
    for (std::string line; std::getline(file, line);) {
        line = std::regex_replace(line, std::regex(R"(\\f[BIRP])"), "");
        line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
        std::smatch found;
        if (std::regex_search(line, found, heading))
            current = &sections[found[1]];
        else if (current)
            *current += line + '\n';
    }
    return sections;
}

// The options a manual section describes: the tags of its ".TP" paragraphs.
Names manOptions(const std::string& section)
{
    Names names;
    std::istringstream lines(section);
    const std::regex option(R"((?:^|[\s"])(--?[a-z]+(?:-[a-z]+)*))");
    for (std::string line; std::getline(lines, line);) {
        if (line != ".TP" || !std::getline(lines, line))
            continue;
        for (auto it = std::sregex_iterator(line.begin(), line.end(), option); it != std::sregex_iterator();
             ++it)
            names.insert((*it)[1]);
    }
    return names;
}

TEST(MvtManPage, NamesTheCommandsAndOptionsOfTheHelp)
{
    const auto sections = manSections();
    const std::string overview = help({});

    Names manCommands;
    for (const auto& [name, text] : sections) {
        if (name.rfind("mvt ", 0) == 0)
            manCommands.insert(name.substr(4));
    }
    const Names commands = helpEntries(overview, "Commands:", std::regex(R"(^  ([a-z]+))"));
    EXPECT_EQ(manCommands, commands);
    EXPECT_EQ(manOptions(sections.at("OPTIONS")), helpOptions(overview));

    for (const std::string& command : commands) {
        const std::string text = help({QString::fromStdString(command)});
        const auto found = sections.find("mvt " + command);
        if (found == sections.end())
            continue; // the comparison of the commands above names it
        const std::string& section = found->second;
        EXPECT_EQ(manOptions(section), helpOptions(text)) << command;
        EXPECT_EQ(exitStatusSentence(text), cli::exitStatusSentence(command)) << command;
        EXPECT_EQ(exitStatusSentence(section), exitStatusSentence(text)) << command;
    }
}

// The list under EXIT STATUS: each status of the table, and under each only commands that exit with it.
TEST(MvtManPage, ListsTheExitStatusesOfTheTable)
{
    Names tableStatuses;
    std::set<std::pair<std::string, std::string>> uses;
    Names commands;
    for (const cli::ExitStatusMeaning& meaning : cli::kExitStatusMeanings) {
        tableStatuses.insert(std::to_string(meaning.status));
        uses.emplace(std::to_string(meaning.status), meaning.command);
        commands.emplace(meaning.command);
    }

    Names listed;
    std::string status;
    std::istringstream lines(manSections().at("EXIT STATUS"));
    const std::regex word(R"([a-z]+)");
    for (std::string line; std::getline(lines, line);) {
        if (line == ".TP" && std::getline(lines, line) && line.rfind(".B ", 0) == 0) {
            status = line.substr(3);
            listed.insert(status);
        } else if (line.rfind(".BR ", 0) == 0) {
            for (auto it = std::sregex_iterator(line.begin(), line.end(), word); it != std::sregex_iterator();
                 ++it) {
                if (commands.contains(it->str())) {
                    EXPECT_TRUE(uses.contains({status, it->str()})) << it->str() << " under " << status;
                }
            }
        }
    }
    EXPECT_EQ(listed, tableStatuses);
}

} // namespace
} // namespace sus::test
