// SPDX-License-Identifier: Apache-2.0
#include "cli/ListenOptions.h"

#include "cli/DmxLevels.h"
#include "cli/ExitCodes.h"
#include "cli/OptionTable.h"
#include "dmx/DmxUniverse.h"
#include "receive/HeardLinePrinter.h"
#include "update/RunPlan.h"

namespace sus::cli {

ListenOptionParser::ListenOptionParser(QCommandLineParser& parser)
    : parser_(parser),
      port_(sharedOption(SharedOption::Port, QStringLiteral("the receiving adapter (any maker's)"))),
      input_(QStringLiteral("input"),
             QStringLiteral(
                 "Read a recorded stream (as --record writes it) instead of a port; - is standard input."),
             QStringLiteral("FILE")),
      record_(QStringLiteral("record"), QStringLiteral("Write the raw stream read to FILE."),
              QStringLiteral("FILE")),
      capture_(
          sharedOption(SharedOption::Capture,
                       QStringLiteral("what was heard, as send saves what it sent, with the times as read"))),
      expect_(QStringLiteral("expect"),
              QStringLiteral("Check that the line carried exactly the update of the FILEs (in order) with "
                             "--password: its wake-up frames and packets.")),
      password_(sharedOption(SharedOption::Password, QStringLiteral("the files --expect names"))),
      expectLevels_(
          QStringLiteral("expect-levels"),
          QStringLiteral("Check that every DMX frame carries these levels (as dmx --set; others 0)."),
          QStringLiteral("CH=LEVEL[,CH=LEVEL...]")),
      address_(sharedOption(SharedOption::Address, QStringLiteral("the first channel of --expect-levels")))
{
    parser.addOptions({port_, input_, record_, capture_, expect_, password_, expectLevels_, address_});
    addSharedOption(parser, SharedOption::Report, QStringLiteral("what was heard"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("With --expect: update files."),
                                 QStringLiteral("[FILE...]"));
}

std::optional<ListenSettings> ListenOptionParser::read(QString& error, int& status) const
{
    status = exit_code::kUsage;
    ListenSettings settings;
    if (parser_.isSet(port_) == parser_.isSet(input_)) {
        error = QStringLiteral("Name either a port (--port) or a recording (--input).");
        return std::nullopt;
    }
    const std::optional<std::string> port = readPort(parser_, error);
    if (!port)
        return std::nullopt;
    settings.port = *port;
    settings.input = parser_.value(input_).toStdString();
    if (parser_.isSet(input_) && settings.input.empty()) {
        error = QStringLiteral("--input needs the name of a recording.");
        return std::nullopt;
    }
    settings.recordPath = parser_.value(record_).toStdString();
    if (parser_.isSet(record_) && settings.recordPath.empty()) {
        error = QStringLiteral("--record needs a file name.");
        return std::nullopt;
    }
    const std::optional<std::string> capture = readCapturePath(parser_, error);
    if (!capture)
        return std::nullopt;
    settings.capturePath = *capture;
    const std::optional<std::string> report = readReportPath(parser_, error);
    if (!report)
        return std::nullopt;
    settings.reportPath = *report;
    settings.witness.timed = !settings.port.empty();
    settings.witness.capture = !settings.capturePath.empty();
    if (!expectationsFrom(settings.witness, error, status))
        return std::nullopt;
    return settings;
}

bool ListenOptionParser::expectationsFrom(WitnessSetup& witness, QString& error, int& status) const
{
    for (const QString& file : parser_.positionalArguments())
        witness.files.push_back(file.toStdString());
    const bool expect = parser_.isSet(expect_);
    const auto passwords = readPasswords(parser_, witness.files.size(), error);
    if (!passwords)
        return false;
    if (expect == witness.files.empty())
        error = QStringLiteral("--expect needs the update files, and files are named only with it.");
    else if (expect && passwords->empty())
        error = QStringLiteral("--expect needs the files' --password.");
    else if (!expect && parser_.isSet(password_))
        error = QStringLiteral("--password goes with --expect.");
    else if (parser_.isSet(address_) && !parser_.isSet(expectLevels_))
        error = QStringLiteral("--address goes with --expect-levels.");
    if (!error.isEmpty())
        return false;

    if (parser_.isSet(expectLevels_)) {
        const auto slotLevels = readSlotLevels(addressText(parser_), parser_.values(expectLevels_), error);
        if (!slotLevels)
            return false;
        std::vector<std::uint8_t> frame(kSentSlotCount, 0);
        for (const SlotLevel& entry : *slotLevels)
            frame[entry.slot] = entry.level;
        witness.dmxFrame = std::move(frame);
    }
    if (expect) {
        // What the run's own script sends; what is heard is still read by the receiver's own table.
        const RunPlan plan = planRun({.files = witness.files, .passwords = *passwords, .selectedIndex = 0});
        if (plan.refusal) {
            error = QStringLiteral("The expected files cannot be sent: %1")
                        .arg(QString::fromStdString(plan.message));
            status = exitStatusFor(ruleFor(*plan.refusal).outcome);
            return false;
        }
        for (const RunPlan::Unit& unit : plan.units)
            witness.update.push_back({unit.wakeUp, unit.bytes});
    }
    return true;
}

} // namespace sus::cli
