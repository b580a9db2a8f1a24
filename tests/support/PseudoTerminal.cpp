// SPDX-License-Identifier: Apache-2.0
#include "tests/support/PseudoTerminal.h"

#include <array>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace sus::test {

PseudoTerminal::PseudoTerminal()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
        slaveName_ = ::ptsname(master_);
    if (!slaveName_.empty())
        slave_ = ::open(slaveName_.c_str(), O_RDWR | O_NOCTTY);
}

PseudoTerminal::~PseudoTerminal()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

void PseudoTerminal::hangUp()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

std::vector<std::uint8_t> PseudoTerminal::read(std::size_t count)
{
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < count) {
        pollfd ready{master_, POLLIN, 0};
        if (::poll(&ready, 1, 1000) <= 0)
            break;
        std::array<std::uint8_t, 4096> chunk{};
        const ssize_t got = ::read(master_, chunk.data(), chunk.size());
        if (got <= 0)
            break;
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
    }
    return bytes;
}

} // namespace sus::test
