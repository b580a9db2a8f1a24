// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/RunEnding.h"

#include <string>
#include <string_view>

namespace sus::cli {

// What mvt's exit status tells a script. An empty password shares 2 with argument errors: both are
// input the run cannot start with.
namespace exit_code {
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;       // the command's work did not come out as asked; see below
inline constexpr int kUsage = 2;         // arguments that cannot be used; the message says which
inline constexpr int kEmptyPassword = 2; // send: "Enter the Password Please!"
inline constexpr int kPasswordWrong = 3; // "Password Wrong!"
inline constexpr int kFileRefused = 4;   // a file cannot be opened, read or sent, or is not like one
inline constexpr int kNoController = 5;  // no controller, or the link failed
inline constexpr int kInterrupted = 130; // send: stopped by Ctrl+C (AbortUpdate went out)
} // namespace exit_code

// What a run that ended so, or would end so, exits with: the same fault gives the same status in
// every command that meets it.
inline int exitStatusFor(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::Finished:
        return exit_code::kSuccess;
    case RunOutcome::EmptyPassword:
        return exit_code::kEmptyPassword;
    case RunOutcome::PasswordWrong:
        return exit_code::kPasswordWrong;
    case RunOutcome::FileRefused:
        return exit_code::kFileRefused;
    case RunOutcome::LinkFailed:
        return exit_code::kNoController;
    case RunOutcome::Stopped:
        return exit_code::kInterrupted;
    case RunOutcome::None:
        break;
    }
    return exit_code::kFailure;
}

// What each status means for each command that exits with it, in the words its help and the manual
// page give; a command's rows come in the order of their statuses.
struct ExitStatusMeaning {
    std::string_view command;
    int status;
    std::string_view words;
};
inline constexpr ExitStatusMeaning kExitStatusMeanings[] = {
    {"info", exit_code::kSuccess, "shown"},
    {"info", exit_code::kUsage, "bad arguments"},
    {"info", exit_code::kFileRefused,
     "the file cannot be shown (missing, unreadable, shorter than its 144-byte header, or not like an "
     "update file)"},

    {"check", exit_code::kSuccess, "every file can be sent"},
    {"check", exit_code::kUsage, "bad arguments"},
    {"check", exit_code::kPasswordWrong, "a wrong password"},
    {"check", exit_code::kFileRefused,
     "a file cannot be opened, read or sent, or is not like an update file (the first problem in the "
     "files' order decides, as in send)"},

    {"send", exit_code::kSuccess, "finished"},
    {"send", exit_code::kFailure, "the capture or the service record could not be saved at the end"},
    {"send", exit_code::kEmptyPassword,
     "empty password, bad arguments, or a capture or service record file that cannot be created"},
    {"send", exit_code::kPasswordWrong, "wrong password"},
    {"send", exit_code::kFileRefused, "a file cannot be opened, read or sent, or is not like an update file"},
    {"send", exit_code::kNoController, "no controller, or the link failed"},
    {"send", exit_code::kInterrupted, "stopped by Ctrl+C"},

    {"dmx", exit_code::kSuccess, "the frames were sent (or Ctrl+C ended them)"},
    {"dmx", exit_code::kFailure, "the capture could not be saved at the end"},
    {"dmx", exit_code::kUsage, "bad arguments, or a capture file that cannot be created"},
    {"dmx", exit_code::kNoController, "no controller, or the link failed"},

    {"ports", exit_code::kSuccess, "a controller is attached"},
    {"ports", exit_code::kUsage, "bad arguments"},
    {"ports", exit_code::kNoController, "none is"},

    {"listen", exit_code::kSuccess, "heard (as expected, when something is expected)"},
    {"listen", exit_code::kFailure,
     "not as expected, or the record, capture or service record could not be written"},
    {"listen", exit_code::kUsage, "bad arguments"},
    {"listen", exit_code::kPasswordWrong, "a wrong password of an expected file"},
    {"listen", exit_code::kFileRefused, "an expected file cannot be opened, read or sent"},
    {"listen", exit_code::kNoController, "the port cannot be opened as a witness, or it was lost"},
};

// The sentence a command's help ends with: "Exit status: 0 ...; 2 ...".
inline std::string exitStatusSentence(std::string_view command)
{
    std::string sentence = "Exit status:";
    for (const ExitStatusMeaning& meaning : kExitStatusMeanings) {
        if (meaning.command != command)
            continue;
        sentence += sentence.back() == ':' ? " " : "; ";
        sentence += std::to_string(meaning.status) + ' ';
        sentence += meaning.words;
    }
    return sentence + '.';
}

} // namespace sus::cli
