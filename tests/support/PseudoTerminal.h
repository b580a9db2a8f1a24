// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace sus::test {

// A pseudo-terminal standing in for the controller's port: the code under test opens the slave by
// name, the test reads at the master what was written. The slave is held open too, so the master
// does not hang up between the opens of the port.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Empty when no pseudo-terminal could be had.
    const std::string& slaveName() const { return slaveName_; }

    // The slave side held here since before the code under test opened it: the port's settings
    // can be read on it even while that code holds the port exclusively.
    int heldSlave() const { return slave_; }

    // What arrives at the master until `count` bytes came or nothing more came for a second.
    std::vector<std::uint8_t> read(std::size_t count = std::numeric_limits<std::size_t>::max());

    // Closes the master: the line hangs up, as a USB bridge's does when it is pulled out.
    void hangUp();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
};

} // namespace sus::test
