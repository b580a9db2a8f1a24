// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/AdapterFamily.h"
#include "receive/HeardCapture.h"
#include "receive/HeardLinePrinter.h"
#include "receive/LineAssembler.h"
#include "receive/LineExpectation.h"
#include "receive/LineListeners.h"
#include "receive/MarkedStream.h"
#include "receive/ReceptionReport.h"
#include "receive/StatusJudge.h"
#include "receive/UpdateReceiver.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace sus {

// What a witness is to compare with, and how it reads.
struct WitnessSetup {
    bool timed = false;               // the stream is read live: its read times mean something
    std::vector<std::string> files;   // the files an update sent, to compare what arrived with
    std::vector<ExpectedUnit> update; // the wake-up frames and packets to hear; none: not checked
    std::optional<std::vector<std::uint8_t>> dmxFrame; // what every DMX frame carries; none: not checked
    bool capture = false;                              // keep what was heard as writes, for a capture
    // What the adapter's marks are taken to say until the stream shows otherwise.
    LineStatus adapter = LineStatus::PerCharacter;
};

// A receiver on the line in bounded memory: reads the marked stream a receiving UART delivers,
// prints what it hears as it hears it, and at the end reports what a fixture would have stored and
// whether the line carried what was expected.
class LineWitness {
public:
    LineWitness(std::ostream& out, WitnessSetup setup);

    // Bytes of the stream as they were read, at `readNs`.
    void heard(std::span<const std::uint8_t> bytes, std::int64_t readNs);
    // The stream has ended; prints the report.
    void finish();

    bool checksExpectation() const { return expectation_.checksAnything(); }
    // Whether the adapter's marks gave each character's ninth bit, all through the stream.
    bool ninthBitsChecked() const { return judge_.ninthBitsChecked(); }
    bool expectationMet() const { return expectation_.met(); }
    const std::string& firstDifference() const { return expectation_.firstDifference(); }
    const std::vector<WireWrite>& captured() const { return capture_.writes(); }
    // Once finished: the files a fixture would have stored, and the run as it arrived.
    const std::vector<HeardFile>& heardFiles() const { return report_.files(); }
    const UpdateReception& reception() const { return receiver_.reception(); }

private:
    void printSummary();
    std::string verdict() const;

    std::ostream& out_;
    HeardLinePrinter printer_;
    ReceptionReport report_;
    UpdateReceiver receiver_;
    LineExpectation expectation_;
    LineListeners items_;
    LineAssembler assembler_;
    HeardCapture capture_;
    CharacterListeners characters_;
    StatusJudge judge_;
    MarkedStreamDecoder decoder_;
};

} // namespace sus
