// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>

namespace sus::fuzz {

// A broken promise found while checking an input: what held, and what should have.
class CheckFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Takes `bytes` as an update file the way a user does: adds it to the queue so that the panel shows
// it, types the password that belongs to it, and runs a whole update on the simulated controller in
// virtual time, with the file shown again while its blocks go out. The fixture must receive exactly
// what the file carries and the user must be told exactly one thing; a file too short to be an
// update file must be refused by both the panel and the run, with the reason, and nothing sent of it.
// Throws CheckFailed on the first promise broken.
void checkUpdateFile(std::span<const std::uint8_t> bytes);

} // namespace sus::fuzz
