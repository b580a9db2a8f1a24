// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/LineWitness.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include <optional>
#include <string>

namespace sus::cli {

// What `listen` is to hear and what it keeps, as its options give it.
struct ListenSettings {
    std::string port;        // the receiving adapter's port; empty: a recording is read
    std::string input;       // the recording ("-": standard input)
    std::string recordPath;  // where the raw stream goes; empty: nowhere
    std::string capturePath; // where the capture of what was heard goes; empty: nowhere
    std::string reportPath;  // where the service record goes ("-": standard output); empty: nowhere
    WitnessSetup witness;    // what is expected, planned from the files when --expect names them
};

// The options of `listen` in a command's parser.
class ListenOptionParser {
public:
    // Adds the options and the files to `parser`.
    explicit ListenOptionParser(QCommandLineParser& parser);

    // The settings after parsing; nothing, with the reason in `error` and the exit status in
    // `status`, when the options do not go together (2) or the expected files cannot be sent (as
    // send would exit for them).
    std::optional<ListenSettings> read(QString& error, int& status) const;

private:
    bool expectationsFrom(WitnessSetup& witness, QString& error, int& status) const;

    QCommandLineParser& parser_;
    QCommandLineOption port_;
    QCommandLineOption input_;
    QCommandLineOption record_;
    QCommandLineOption capture_;
    QCommandLineOption expect_;
    QCommandLineOption password_;
    QCommandLineOption expectLevels_;
    QCommandLineOption address_;
};

} // namespace sus::cli
