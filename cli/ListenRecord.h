// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QJsonObject>
#include <QString>

#include <string>

namespace sus {
class LineWitness;
}

namespace sus::cli {

// The service record of one `listen`, in the form of send's (cli/service-record.schema.json): what
// a fixture on the line would have stored of each file, and how the run it heard ended.
class ListenRecord {
public:
    // `path`: where the record goes ("-": standard output); empty: none is kept. `port` or `input`
    // is what was listened to. Listening starts now.
    ListenRecord(std::string path, std::string port, std::string input);

    bool onOutput() const { return path_ == "-"; }

    // What `witness` heard, once it has finished; `status` is the command's exit status so far.
    QJsonObject json(const LineWitness& witness, int status) const;

    // Writes the record, if one is kept, and returns the command's exit status: `status`, or 1 when
    // an otherwise successful command could not write it (said on standard error).
    int finish(const LineWitness& witness, int status);

private:
    std::string path_;
    std::string port_;
    std::string input_;
    QString startedAt_;
};

} // namespace sus::cli
