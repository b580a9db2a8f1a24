// SPDX-License-Identifier: Apache-2.0
#include "cli/ListenOptions.h"

#include "cli/DmxLevels.h"
#include "receive/HeardLinePrinter.h"
#include "update/RunPlan.h"

namespace sus::cli {

ListenOptionParser::ListenOptionParser(QCommandLineParser& parser)
    : parser_(parser),
      port_(QStringLiteral("port"), QStringLiteral("The receiving adapter's serial port (any maker's)."),
            QStringLiteral("NAME")),
      input_(QStringLiteral("input"),
             QStringLiteral(
                 "Read a recorded stream (as --record writes it) instead of a port; - is standard input."),
             QStringLiteral("FILE")),
      record_(QStringLiteral("record"), QStringLiteral("Write the raw stream read to FILE."),
              QStringLiteral("FILE")),
      capture_(QStringLiteral("capture"),
               QStringLiteral("Save what was heard as send saves what it sent: a VCD when OUT ends in .vcd, "
                              "otherwise a wire log; times as read."),
               QStringLiteral("OUT")),
      expect_(QStringLiteral("expect"),
              QStringLiteral("Check that the line carried exactly the update of the FILEs (in order) with "
                             "--password: its wake-up frames and packets.")),
      password_(QStringLiteral("password"), QStringLiteral("The password of the expected files."),
                QStringLiteral("P")),
      expectLevels_(
          QStringLiteral("expect-levels"),
          QStringLiteral("Check that every DMX frame carries these levels (as dmx --set; others 0)."),
          QStringLiteral("CH=LEVEL[,CH=LEVEL...]")),
      address_(QStringLiteral("address"),
               QStringLiteral("The fixture's start address for --expect-levels (default 1)."),
               QStringLiteral("A"), QStringLiteral("1"))
{
    parser.addOptions({port_, input_, record_, capture_, expect_, password_, expectLevels_, address_});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("With --expect: update files."),
                                 QStringLiteral("[FILE...]"));
}

std::optional<ListenSettings> ListenOptionParser::read(QString& error) const
{
    ListenSettings settings;
    if (parser_.isSet(port_) == parser_.isSet(input_)) {
        error = QStringLiteral("Name either a port (--port) or a recording (--input).");
        return std::nullopt;
    }
    settings.port = parser_.value(port_).toStdString();
    settings.input = parser_.value(input_).toStdString();
    if (settings.port.empty() && settings.input.empty()) {
        error = QStringLiteral("--port and --input need a name.");
        return std::nullopt;
    }
    settings.recordPath = parser_.value(record_).toStdString();
    settings.capturePath = parser_.value(capture_).toStdString();
    if ((parser_.isSet(record_) && settings.recordPath.empty()) ||
        (parser_.isSet(capture_) && settings.capturePath.empty())) {
        error = QStringLiteral("--record and --capture need a file name.");
        return std::nullopt;
    }
    settings.witness.timed = !settings.port.empty();
    settings.witness.capture = !settings.capturePath.empty();
    if (!expectationsFrom(settings.witness, error))
        return std::nullopt;
    return settings;
}

bool ListenOptionParser::expectationsFrom(WitnessSetup& witness, QString& error) const
{
    for (const QString& file : parser_.positionalArguments())
        witness.files.push_back(file.toStdString());
    const bool expect = parser_.isSet(expect_);
    if (expect == witness.files.empty())
        error = QStringLiteral("--expect needs the update files, and files are named only with it.");
    else if (expect && !parser_.isSet(password_))
        error = QStringLiteral("--expect needs the files' --password.");
    else if (!expect && parser_.isSet(password_))
        error = QStringLiteral("--password goes with --expect.");
    else if (parser_.isSet(address_) && !parser_.isSet(expectLevels_))
        error = QStringLiteral("--address goes with --expect-levels.");
    if (!error.isEmpty())
        return false;

    if (parser_.isSet(expectLevels_)) {
        const auto slotLevels = readSlotLevels(parser_.value(address_), parser_.values(expectLevels_), error);
        if (!slotLevels)
            return false;
        std::vector<std::uint8_t> frame(kDmxFrameSlots, 0);
        for (const SlotLevel& entry : *slotLevels)
            frame[entry.slot] = entry.level;
        witness.dmxFrame = std::move(frame);
    }
    if (expect) {
        // What the run's own script sends; what is heard is still read by the receiver's own table.
        const RunPlan plan = planRun({.files = witness.files,
                                      .passwords = {parser_.value(password_).toStdString()},
                                      .selectedIndex = 0});
        if (plan.refusal) {
            error = QStringLiteral("The expected files cannot be sent: %1")
                        .arg(QString::fromStdString(plan.message));
            return false;
        }
        for (const RunPlan::Unit& unit : plan.units)
            witness.update.push_back({unit.wakeUp, unit.bytes});
    }
    return true;
}

} // namespace sus::cli
