// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/KeepAwake.h"
#include "update/UpdateRunListener.h"

#include <QJsonObject>
#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace sus::cli {

// The service record of one `send`, for a technician's log: the program, when, which controller,
// each file as it is on disk and what became of it, and how the run ended. What the run did is read
// from where it stood as it ended (RunProgress), never worked out again. The form is
// cli/service-record.schema.json.
class SendRecord final : public UpdateRunListener {
public:
    // `path`: where the record goes ("-": standard output); empty: none is kept. The run starts now.
    SendRecord(std::string path, std::vector<std::string> files, std::vector<std::string> passwords);

    // The controller's port; its USB serial number is looked up by it.
    void setPort(const std::string& port);
    // The run's keep-awake, through which the record hears whether the computer was kept awake.
    std::unique_ptr<KeepAwake> keptAwakeBy(std::unique_ptr<KeepAwake> keepAwake);
    // The files `send` checks first refused the run before anything went out.
    void refusedBeforeRun(const std::vector<std::size_t>& problems);

    void updateRunEnded(const RunProgress& progress) override;

    QJsonObject json() const;
    bool onOutput() const { return path_ == "-"; }

    // Writes the record, if one is kept, and returns the command's exit status: `status`, or 1 when
    // an otherwise successful command could not write it (said on standard error).
    int finish(int status);

private:
    // Why the run refused file `index`, in the words the user was told.
    std::string refusalOf(std::size_t index, bool passwordWrong) const;

    std::string path_;
    std::vector<std::string> files_;
    std::vector<std::string> passwords_;
    QString startedAt_;
    QString endedAt_;
    std::string port_;
    std::string usbSerialNumber_;
    bool keptAwake_ = false;
    std::vector<QJsonObject> results_; // per file: "result" and what goes with it
    QString ending_;                   // empty until the run or the check has ended it
    bool resetSent_ = false;
    bool abortUpdateSent_ = false;
};

} // namespace sus::cli
