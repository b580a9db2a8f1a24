// SPDX-License-Identifier: Apache-2.0
#include "receive/LineWitness.h"

#include <utility>

namespace sus {

LineWitness::LineWitness(std::ostream& out, WitnessSetup setup)
    : out_(out), printer_(out, setup.timed), report_(std::move(setup.files)),
      receiver_([this](ReceivedFile& file, std::size_t) { report_.add(file); }),
      expectation_(std::move(setup.update), std::move(setup.dmxFrame)),
      items_({&printer_, &receiver_, &expectation_}), assembler_(items_),
      // A long listen keeps no capture it was not asked for.
      characters_(setup.capture ? CharacterListeners{&capture_, &assembler_}
                                : CharacterListeners{&assembler_}),
      judge_(characters_, setup.adapter,
             [this](const std::string& why) {
                 out_ << why << "\n";
                 expectation_.setNinthBitsChecked(false);
             }),
      decoder_(judge_)
{
    expectation_.setNinthBitsChecked(judge_.ninthBitsChecked());
}

void LineWitness::heard(std::span<const std::uint8_t> bytes, std::int64_t readNs)
{
    decoder_.feed(bytes, readNs);
}

void LineWitness::finish()
{
    decoder_.finish();
    assembler_.finish();
    printer_.finish();
    receiver_.finish();
    expectation_.finish();

    out_ << "\n";
    if (printer_.wakeUpFrames() > 0 || printer_.packets() > 0)
        out_ << report_.text(receiver_.reception());
    printSummary();
    if (checksExpectation())
        out_ << verdict() << "\n";
    out_.flush();
}

std::string LineWitness::verdict() const
{
    if (judge_.ninthBitsChecked())
        return expectationMet() ? "As expected." : "NOT as expected: " + firstDifference() + ".";
    const std::string unseen = "the ninth bits were not checked with this adapter.";
    return expectationMet() ? "As expected in every byte; " + unseen
                            : "NOT as expected: " + firstDifference() + "; " + unseen;
}

void LineWitness::printSummary()
{
    const MarkedStreamCounts& counts = decoder_.counts();
    const ReadCounts read = judge_.counts();
    out_ << "Heard " << read.characters << " character(s) and " << read.breaks
         << " break(s): " << printer_.dmxFrames() << " DMX frame(s), " << printer_.wakeUpFrames()
         << " wake-up frame(s), " << printer_.packets() << " packet(s), " << printer_.strays()
         << " character(s) in no frame or packet.\n";
    if (!judge_.ninthBitsChecked())
        out_ << "  With this adapter the ninth bits and breaks were read from the line's structure, not "
                "heard ("
             << judge_.marked() << " character(s) came marked).\n";
    else if (read.marked > 0)
        out_ << "  " << read.marked
             << " character(s) came marked with a parity or framing error (a packet's first byte and a "
                "wake-up frame's first zero come so on purpose).\n";
    if (counts.badEscapes > 0)
        out_ << "  " << counts.badEscapes
             << " escape(s) that no receiving UART writes: this is not a marked stream, or it is damaged.\n";
    if (counts.endedInsideEscape)
        out_ << "  The stream ended inside an escape: its last character is lost.\n";
}

} // namespace sus
